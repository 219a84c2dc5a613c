// SPDX-License-Identifier: GPL-3.0-or-later
// Every fast path against the plain loop: the same count (and final z) for
// every point of many views, on every instruction set this processor has,
// with and without worker threads.
#include "engine/kernels/KernelBatch.h"
#include "base/WorkerPool.h"
#include "engine/kernels/Kernels.h"
#include "engine/kernels/SmoothCount.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <vector>

using namespace vistal;

namespace {

constexpr TKernelPath kFastPaths[] = {TKernelPath::Generic, TKernelPath::Sse2, TKernelPath::Avx2,
                                      TKernelPath::Avx512};

// The fast paths this processor can run (a forced path it lacks would
// silently become a narrower one and test nothing new).
std::vector<TKernelPath> SupportedFastPaths() {
    std::vector<TKernelPath> paths;
    for (TKernelPath p : kFastPaths)
        if (KernelPathSupported(p)) paths.push_back(p);
    return paths;
}

bool SameBits(double a, double b) {
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

// A final z equals the plain loop's bit for bit; a NaN only has to be a NaN
// (its payload depends on the order the compiler gives to commutative operands).
bool SameZ(const TComplex& a, const TComplex& b) {
    auto same = [](double x, double y) { return SameBits(x, y) || (std::isnan(x) && std::isnan(y)); };
    return same(a.Re, b.Re) && same(a.Im, b.Im);
}

struct TView {
    bool julia = false;
    int pow = 2;
    std::int32_t iteration = 256;
    TComplex seed;
    double bound = 4;
    std::vector<TComplex> points;
    std::string name;
};

// Compares every path (one thread and two) with the plain loop on one view.
void ExpectSameAsPlain(const TView& v, bool withZ, TWorkerPool& pool) {
    const int n = static_cast<int>(v.points.size());
    TOrbitBatch b;
    b.julia = v.julia;
    b.pow = v.pow;
    b.iteration = v.iteration;
    b.seed = v.seed;
    b.bound = v.bound;
    b.points = v.points.data();
    b.n = n;
    std::vector<std::int32_t> want(n), got(n);
    std::vector<TComplex> wantZ(n), gotZ(n);
    b.counts = want.data();
    b.finalZ = withZ ? wantZ.data() : nullptr;
    IterateBatch(b, TKernelPath::Scalar);

    b.counts = got.data();
    b.finalZ = withZ ? gotZ.data() : nullptr;
    for (TKernelPath path : SupportedFastPaths()) {
        for (int threads : {1, 2}) {
            std::fill(got.begin(), got.end(), -7);
            IterateBatch(b, path, &pool, threads);
            for (int i = 0; i < n; ++i) {
                ASSERT_EQ(got[i], want[i])
                    << v.name << " path " << KernelPathName(path) << " threads " << threads << " point " << i
                    << " (" << v.points[i].Re << ", " << v.points[i].Im << ")";
                if (withZ) {
                    ASSERT_TRUE(SameZ(gotZ[i], wantZ[i]))
                        << v.name << " path " << KernelPathName(path) << " point " << i << " z ("
                        << gotZ[i].Re << ", " << gotZ[i].Im << ") want (" << wantZ[i].Re << ", "
                        << wantZ[i].Im << ")";
                }
            }
        }
    }
}

// A point near the boundary of the set for z^pow + c: bisection along a ray
// between c = 0 (inside) and radius 2 (outside).
TComplex NearBoundary(std::mt19937_64& rng, int pow) {
    std::uniform_real_distribution<double> angle(0, 2 * 3.141592653589793);
    const double a = angle(rng);
    double inside = 0, outside = 2;
    for (int k = 0; k < 45; ++k) {
        const double mid = (inside + outside) / 2;
        const double re = mid * std::cos(a), im = mid * std::sin(a);
        const std::int32_t count =
            pow == 2 ? CountMandelbrot2(re, im, 500) : CountMandelbrotN(re, im, 500, pow);
        (count == 0 ? inside : outside) = mid;
    }
    return {inside * std::cos(a), inside * std::sin(a)};
}

// A grid of w × h sample points around a centre, as a drawing samples them.
std::vector<TComplex> Grid(TComplex centre, double span, int w, int h) {
    std::vector<TComplex> points;
    const double dy = -span / h, dx = span / h;
    const double pRe = centre.Re - dx * w / 2, pIm = centre.Im + span / 2;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            points.push_back({x * dx + pRe, y * dy + pIm});
    return points;
}

} // namespace

TEST(KernelBatch, AutoIsTheWidestSupportedPath) {
    const TKernelPath autoPath = ResolveKernelPath(TKernelPath::Auto);
    EXPECT_TRUE(KernelPathSupported(autoPath));
    EXPECT_NE(autoPath, TKernelPath::Scalar);
    EXPECT_EQ(ResolveKernelPath(TKernelPath::Scalar), TKernelPath::Scalar);
    EXPECT_EQ(ResolveKernelPath(TKernelPath::Generic), TKernelPath::Generic);
    // A forced path runs as itself when supported, else as a narrower one.
    for (TKernelPath p : kFastPaths) {
        const TKernelPath r = ResolveKernelPath(p);
        EXPECT_TRUE(KernelPathSupported(r));
        if (KernelPathSupported(p)) {
            EXPECT_EQ(r, p);
        }
        EXPECT_LE(static_cast<int>(r), static_cast<int>(p));
    }
}

TEST(KernelBatch, PlainOrbitIsTheBasicKernel) {
    std::mt19937_64 rng(7);
    std::uniform_real_distribution<double> coord(-2.2, 2.2);
    for (int k = 0; k < 3000; ++k) {
        const double re = coord(rng), im = coord(rng);
        const int pow = 2 + k % 6;
        TOrbitBatch b;
        b.iteration = 300;
        b.pow = pow;
        EXPECT_EQ(IterateOrbit(b, re, im, nullptr),
                  pow == 2 ? CountMandelbrot2(re, im, 300) : CountMandelbrotN(re, im, 300, pow));
        b.julia = true;
        b.seed = {-0.4, 0.6};
        EXPECT_EQ(IterateOrbit(b, re, im, nullptr),
                  pow == 2 ? CountJulia2(re, im, b.seed, 300) : CountJuliaN(re, im, b.seed, 300, pow));
    }
}

// Random views: centres near the boundary, spans from 4 down to 1e-13,
// exponents 2..7, Julia constants, odd sizes, limits from 1 to 100000.
TEST(KernelBatch, FastPathsMatchThePlainLoopOnRandomViews) {
    std::mt19937_64 rng(20240611);
    std::uniform_real_distribution<double> unit(0, 1);
    TWorkerPool pool;
    pool.Reserve(2);
    const std::int32_t limits[] = {1, 2, 3, 5, 17, 100, 256, 1000, 4096, 20000, 100000};
    const double bounds[] = {4, 1, 1024.0 * 1024.0, 65536.0 * 65536.0};
    for (int view = 0; view < 400; ++view) {
        TView v;
        v.pow = 2 + static_cast<int>(rng() % 6);
        if (view % 3 == 0) v.pow = 2; // the common case gets more views
        v.julia = rng() % 3 == 0;
        v.iteration = limits[rng() % std::size(limits)];
        const double span = std::pow(10.0, -13 + 13.6 * unit(rng));
        TComplex centre = NearBoundary(rng, v.pow);
        if (v.julia) {
            v.seed = centre;
            centre = {3 * unit(rng) - 1.5, 3 * unit(rng) - 1.5};
        }
        // Keep the plain loop's work bounded: fewer points for high limits.
        const int maxPoints = std::clamp(4000000 / v.iteration, 40, 2500);
        int w = 1 + static_cast<int>(rng() % 61), h = 1 + static_cast<int>(rng() % 61);
        while (w * h > maxPoints)
            (w > h ? w : h) = std::max(1, (w > h ? w : h) * 2 / 3);
        v.points = Grid(centre, span, w, h);
        const bool withZ = view % 4 == 1;
        if (withZ) v.bound = bounds[rng() % std::size(bounds)];
        v.name = "view " + std::to_string(view) + (v.julia ? " julia" : " mandelbrot") + " pow " +
                 std::to_string(v.pow) + " limit " + std::to_string(v.iteration) + " span " +
                 std::to_string(span) + " size " + std::to_string(w) + "x" + std::to_string(h);
        ExpectSameAsPlain(v, withZ, pool);
        if (HasFatalFailure()) return;
    }
}

// Orbits that repeat: they end as soon as the repeat is seen, with count 0,
// and the final z is the one after exactly `iteration` steps.
TEST(KernelBatch, RepeatingOrbitsGiveCountZeroAndTheZOfTheLastStep) {
    TWorkerPool pool;
    pool.Reserve(2);
    TView v;
    v.name = "cycles";
    // Fixed points, 2-, 3- and 4-cycles, slow convergence near the cardioid
    // edge, and points on the real axis where Im stays exactly 0 (or -0).
    v.points = {{0, 0},      {-1, 0},       {-0.1, 0.1},  {-0.122, 0.745}, {-1.755, 0.001}, {0.25, 0},
                {0.2499, 0}, {-0.75, 0.01}, {-1.3, 0.05}, {0.28, 0.008},   {-0.5, -0.0},    {-1.9, 0},
                {-2, 0},     {-0.1, -0.65}, {0.3, 0.5},   {-0.16, 1.04},   {-1.25, 1e-300}, {0.35, 0.35}};
    for (std::int32_t limit : {1, 2, 7, 31, 32, 33, 64, 65, 100, 1000, 1023, 4096, 4097, 33333, 100000}) {
        v.iteration = limit;
        for (double bound : {4.0, 1e6}) {
            v.bound = bound;
            ExpectSameAsPlain(v, true, pool);
            ExpectSameAsPlain(v, false, pool);
        }
    }
    // Julia sets with attracting cycles.
    v.julia = true;
    for (TComplex seed : {TComplex{-1, 0}, TComplex{-0.12, 0.75}, TComplex{0.28, 0.008}}) {
        v.seed = seed;
        v.iteration = 5000;
        ExpectSameAsPlain(v, true, pool);
    }
}

// Values the lanes must carry exactly: infinities, NaN, subnormals, signed
// zeros, huge Julia starts whose squares overflow, exponents below 2.
TEST(KernelBatch, UnusualValuesMatchThePlainLoop) {
    TWorkerPool pool;
    pool.Reserve(2);
    const double inf = std::numeric_limits<double>::infinity(),
                 nan = std::numeric_limits<double>::quiet_NaN();
    const double tiny = std::numeric_limits<double>::denorm_min();
    TView v;
    v.points = {{inf, 0},    {0, -inf},      {nan, 0},          {0, nan},         {1e200, 1e200},
                {-1e200, 0}, {1e154, 1e154}, {3e-308, -3e-308}, {tiny, tiny},     {-0.0, -0.0},
                {-0.0, 0.5}, {0.5, -0.0},    {1.7e308, 0},      {-2, -0.0},       {2, 0},
                {1.5, 1.5},  {0.3, 0.5},     {-0.75, 5e-324},   {1e-160, 1e-160}, {-1.401155, 0}};
    for (bool julia : {false, true}) {
        v.julia = julia;
        v.seed = {-0.8, 0.156};
        for (int pow : {-1, 0, 1, 2, 3, 4, 7, 8, 31}) {
            v.pow = pow;
            for (std::int32_t limit : {0, 1, 3, 50, 3000}) {
                v.iteration = limit;
                v.name = std::string(julia ? "julia" : "mandelbrot") + " pow " + std::to_string(pow) +
                         " limit " + std::to_string(limit);
                ExpectSameAsPlain(v, true, pool);
                if (HasFatalFailure()) return;
            }
        }
    }
    // A seed that is not a number, and bounds the lanes leave to the plain loop.
    v.julia = true;
    v.pow = 2;
    v.iteration = 100;
    v.seed = {nan, 0};
    ExpectSameAsPlain(v, true, pool);
    v.seed = {-0.8, 0.156};
    for (double bound : {0.0, -1.0, nan, inf, 1e-300}) {
        v.bound = bound;
        ExpectSameAsPlain(v, true, pool);
    }
}

// Rows (one imaginary part, strided real parts), batches of every small size
// and one large batch shared by two threads.
TEST(KernelBatch, RowsAndBatchSizes) {
    TWorkerPool pool;
    pool.Reserve(2);
    std::vector<double> re(3000);
    for (std::size_t x = 0; x < re.size(); ++x)
        re[x] = -2.1 + 2.6 * static_cast<double>(x) / re.size();
    for (int n : {1, 2, 3, 7, 8, 9, 15, 16, 17, 31, 32, 33, 63, 65, 100, 1500}) {
        for (double im : {0.0, 0.3, -0.6, 1.1}) {
            TOrbitBatch b;
            b.iteration = 2000;
            b.re = re.data();
            b.reStride = 2;
            b.im = &im;
            b.imStride = 0;
            b.n = n;
            std::vector<std::int32_t> want(n), got(n);
            b.counts = want.data();
            IterateBatch(b, TKernelPath::Scalar);
            b.counts = got.data();
            for (TKernelPath path : SupportedFastPaths()) {
                IterateBatch(b, path, &pool, 2);
                ASSERT_EQ(got, want) << "n " << n << " im " << im << " path " << KernelPathName(path);
            }
        }
    }
}

// Measuring the cost of cycle detection needs it switched off; the counts are
// the same either way.
TEST(KernelBatch, CycleDetectionChangesNoCount) {
    TWorkerPool pool;
    std::mt19937_64 rng(3);
    std::vector<TComplex> points = Grid({-0.75, 0.1}, 2.5, 70, 50);
    std::vector<std::int32_t> on(points.size()), off(points.size());
    TOrbitBatch b;
    b.iteration = 3000;
    b.points = points.data();
    b.n = static_cast<int>(points.size());
    for (TKernelPath path : SupportedFastPaths()) {
        b.counts = on.data();
        b.detectCycles = true;
        IterateBatch(b, path, &pool, 1);
        b.counts = off.data();
        b.detectCycles = false;
        IterateBatch(b, path, &pool, 1);
        EXPECT_EQ(on, off) << KernelPathName(path);
    }
}

// The bound kernel: the scalar path is the plain loop, and a kernel on a fast
// path with threads counts the same and keeps the call count.
TEST(KernelBatch, BoundKernelOnEveryPath) {
    TWorkerPool pool;
    pool.Reserve(2);
    std::vector<TComplex> points = Grid({-0.5, 0.2}, 2.8, 41, 29);
    std::vector<double> row(41);
    for (int x = 0; x < 41; ++x)
        row[x] = points[x].Re;
    const int n = static_cast<int>(points.size());
    for (TKernelKind kind :
         {TKernelKind::Mandelbrot2, TKernelKind::MandelbrotN, TKernelKind::Julia2, TKernelKind::JuliaN}) {
        std::uint64_t plainCalls = 0, fastCalls = 0;
        const TKernel plain(kind, 500, 5, {0.3, -0.5}, &plainCalls);
        std::vector<std::int32_t> want(n), got(n);
        plain.CountPoints(points.data(), n, want.data());
        for (int i = 0; i < n; ++i)
            ASSERT_EQ(want[i], plain(points[i].Re, points[i].Im));
        for (TKernelPath path : SupportedFastPaths()) {
            const TKernel fast(kind, 500, 5, {0.3, -0.5}, &fastCalls, path, &pool, 2);
            fast.CountPoints(points.data(), n, got.data());
            EXPECT_EQ(got, want) << KernelPathName(path);
            std::vector<std::int32_t> rowGot(41), rowWant(41);
            fast.CountRow(row.data(), points[41 * 5].Im, 41, rowGot.data());
            plain.CountRow(row.data(), points[41 * 5].Im, 41, rowWant.data());
            EXPECT_EQ(rowGot, rowWant);
        }
        EXPECT_EQ(fastCalls, (n + 41u) * SupportedFastPaths().size());
    }
}

// The continuous counts: ν = n + 1 − log(log|zₙ| ÷ log 2) ÷ log p from the z
// where each orbit stopped, kept between n and n + 1, and bit for bit the
// same on every path and with threads.
TEST(KernelBatch, ContinuousCountsOnEveryPath) {
    TWorkerPool pool;
    pool.Reserve(2);
    const std::vector<TComplex> points = Grid({-0.5, 0.2}, 2.8, 37, 23);
    const int n = static_cast<int>(points.size());
    for (TKernelKind kind : {TKernelKind::Mandelbrot2, TKernelKind::JuliaN}) {
        const int pow = kind == TKernelKind::Mandelbrot2 ? 2 : 5;
        const TKernel plain(kind, 400, pow, {0.3, -0.5}, nullptr);
        std::vector<std::int32_t> counts(n), fastCounts(n);
        std::vector<double> nu(n), fastNu(n);
        plain.CountPoints(points.data(), n, counts.data(), nu.data());
        int inside = 0;
        for (int i = 0; i < n; ++i) {
            TComplex z;
            const TOrbitBatch b = plain.Batch();
            ASSERT_EQ(IterateOrbit(b, points[i].Re, points[i].Im, &z), counts[i]);
            if (counts[i] == 0) {
                EXPECT_EQ(nu[i], 0);
                continue;
            }
            const double f = std::log2(std::log(std::hypot(z.Re, z.Im)) / std::log(2.0)) / std::log2(pow);
            EXPECT_NEAR(nu[i], counts[i] + 1 - std::clamp(f, 0.0, 1.0), 1e-9) << i;
            inside += f > 0 && f < 1;
        }
        EXPECT_GT(inside, n / 4);
        for (TKernelPath path : SupportedFastPaths()) {
            const TKernel fast(kind, 400, pow, {0.3, -0.5}, nullptr, path, &pool, 2);
            fast.CountPoints(points.data(), n, fastCounts.data(), fastNu.data());
            EXPECT_EQ(fastCounts, counts) << KernelPathName(path);
            for (int i = 0; i < n; ++i)
                ASSERT_TRUE(SameBits(fastNu[i], nu[i])) << KernelPathName(path) << " " << i;
        }
    }
    // Count 0 has none; |z| = R gives n + 1; R = 1, or a z beyond doubles,
    // gives the stepped count.
    const TSmoothScale two(2, 2), one(1, 2);
    EXPECT_EQ(SmoothCount(0, {5, 0}, two), 0);
    EXPECT_EQ(SmoothCount(2, {2, 0}, two), 3);
    EXPECT_EQ(SmoothCount(7, {1.5, 0}, one), 7);
    EXPECT_EQ(SmoothCount(7, {std::numeric_limits<double>::infinity(), 0}, two), 7);
    EXPECT_EQ(SmoothCount(7, {std::nan(""), 0}, two), 7);
    EXPECT_EQ(SmoothCount(7, {1000, 0}, two), 7); // far beyond R^p: kept to n
}
