// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/kernels/DeepKernel.h"

#include "base/DeepPosition.h"
#include "base/WorkerPool.h"
#include "engine/kernels/KernelLanes.h"
#include "engine/kernels/PlainLoop.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace vistal {

namespace {

// An approximation is used only where it is as good as the iterations it
// skips: the terms it leaves out are below 2^-53 of those it keeps.
constexpr double kEpsilon = 0x1p-53;
// Views whose pixel spacing lies below this keep their smallest numbers with
// exponents of their own: the δc of a sample half a pixel from the reference
// would no longer be a normal double (2^-1022 and above). Above it every term
// of an iteration that counts is a normal double: a term too small to be one
// is below 2^-53 of δc.
constexpr double kExtendedBelow = 0x1p-1015;
// In such views a δ below this is iterated with its own exponent; above it
// δ² is a normal double too, and δc is too small to count.
constexpr std::int64_t kDoubleFloorLog2 = -500;
// A reference of the Mandelbrot set ends at iteration n when Z_n lies within
// 2^-16 of a pixel, in the scale of the orbit there: a nucleus of period n is
// that near, and the orbit repeats from 0 for every sample.
constexpr double kPeriodicMargin = 0x1p-16;
// Progress is reported every this many iterations of a reference or table entries.
constexpr std::int64_t kProgressEvery = 4096;

// A double complex δ.
struct TDC {
    double Re = 0, Im = 0;
};
inline TDC operator+(const TDC& a, const TDC& b) {
    return {a.Re + b.Re, a.Im + b.Im};
}
inline TDC operator*(const TDC& a, const TDC& b) {
    return {a.Re * b.Re - a.Im * b.Im, a.Re * b.Im + a.Im * b.Re};
}
inline TDC Lift(const TComplex& z, TDC) {
    return {z.Re, z.Im};
}
inline TExpComplex Lift(const TComplex& z, const TExpComplex&) {
    return TExpComplex::FromComplex(z);
}
inline TComplex Times(const TComplex& a, const TComplex& b) {
    return {a.Re * b.Re - a.Im * b.Im, a.Re * b.Im + a.Im * b.Re};
}

// (Z + d)^n − Z^n along the chain of squarings and products that ComplexPow
// takes, each step perturbed: u² → (2U + du)·du, u·w → U·dw + du·(W + dw).
// The powers of Z themselves are doubles: they only scale δ. Returns Z^n too.
template <class T> std::pair<TComplex, T> PerturbPow(const TComplex& Z, const T& d, int n) {
    if (n <= 1) return {Z, d};
    const TComplex W = Times(Z, Z);
    const T dw = (Lift(TComplex{2 * Z.Re, 2 * Z.Im}, d) + d) * d;
    const auto [R, dR] = PerturbPow(W, dw, n / 2);
    if (n % 2 == 0) return {R, dR};
    return {Times(R, Z), Lift(R, d) * d + dR * (Lift(Z, d) + d)};
}

// One approximation: δ' = A·δ + B·dc, dc in pixels (B carries the spacing).
struct TBlaStep {
    double Ar, Ai, Br, Bi, R;
};
struct TBlaStepExp {
    TExpComplex A, B;
    TFloatExp R;
};

TBlaStepExp Merge(const TBlaStepExp& x, const TBlaStepExp& y, const TFloatExp& dcMax) {
    TBlaStepExp s;
    s.A = y.A * x.A;
    s.B = y.A * x.B + y.B;
    // |δ| < rx keeps the first half good; its result A_x δ + B_x δc must stay
    // below r_y for the second.
    const TFloatExp room = y.R - x.B.Abs() * dcMax;
    const TFloatExp ax = x.A.Abs();
    if (room.Mant <= 0)
        s.R = {};
    else if (ax.IsZero())
        s.R = x.R;
    else
        s.R = std::min(x.R, room / ax);
    return s;
}

} // namespace

struct TDeepOrbit {
    std::vector<TComplex> Z; // Z_0 .. Z_last
    bool Periodic = false;
    // The jumps from each odd m = 1 + 2j, side by side: of 2, 4, 8, …
    // iterations, each as far as m is a start of its level (m − 1 a multiple
    // of its length) and it ends by Last(). Jumps[JumpStart[j]] is the first
    // from m; FirstRadius[j] its radius again, densely, for the quick test.
    std::vector<TBlaStep> Jumps;
    std::vector<std::uint32_t> JumpStart;
    std::vector<double> FirstRadius;
    // LevelsExp[l − 1]: jumps of 2^l iterations from m = 1 + j·2^l with
    // exponents of their own, extended views only.
    std::vector<std::vector<TBlaStepExp>> LevelsExp;

    std::int64_t Last() const { return static_cast<std::int64_t>(Z.size()) - 1; }

    // The longest jump from an odd m that holds for |δ| ≤ norm1 and takes at
    // most `room` iterations, with its length; null when none does. The
    // radii shrink as the jumps grow, so the first that fails ends the search.
    const TBlaStep* Find(std::int64_t m, double norm1, std::int64_t room, std::int64_t& length) const {
        const std::size_t j = static_cast<std::size_t>(m >> 1);
        if (j + 1 >= JumpStart.size()) return nullptr;
        const TBlaStep* jumps = Jumps.data() + JumpStart[j];
        const std::uint32_t count = JumpStart[j + 1] - JumpStart[j];
        const TBlaStep* best = nullptr;
        for (std::uint32_t i = 0; i < count; ++i) {
            const std::int64_t span = std::int64_t(2) << i;
            if (span > room || !(norm1 < jumps[i].R)) break;
            best = &jumps[i];
            length = span;
        }
        return best;
    }

    const TBlaStepExp* FindExp(std::int64_t m, const TFloatExp& norm, std::int64_t room,
                               std::int64_t& length) const {
        const std::int64_t k = m - 1;
        const TBlaStepExp* best = nullptr;
        for (std::size_t l = 1; l <= LevelsExp.size(); ++l) {
            const std::int64_t span = std::int64_t(1) << l;
            if ((k & (span - 1)) != 0 || span > room) break;
            const std::vector<TBlaStepExp>& level = LevelsExp[l - 1];
            const std::size_t j = static_cast<std::size_t>(k >> l);
            if (j >= level.size() || !(norm < level[j].R)) break;
            best = &level[j];
            length = span;
        }
        return best;
    }
};

bool TDeepParameters::SameAs(const TDeepParameters& o) const {
    return CenterRe.Compare(o.CenterRe) == 0 && CenterIm.Compare(o.CenterIm) == 0 &&
           Span.Mant == o.Span.Mant && Span.Exp == o.Span.Exp && Width == o.Width && Height == o.Height &&
           Julia == o.Julia && Pow == o.Pow && (!Julia || Seed == o.Seed) && Iteration == o.Iteration &&
           Bound == o.Bound && Exact == o.Exact && (!Exact || ExactBitsFor() == o.ExactBitsFor());
}

long TDeepParameters::ExactBitsFor() const {
    if (ExactBits > 0) return std::clamp(ExactBits, TMpfr::MinBits(), TMpfr::MaxBits());
    const long view = TDeepPosition::BitsFor(Span, Height);
    return std::min(TMpfr::MaxBits(), view + view / 4);
}

TDeepPlan::TDeepPlan(const TDeepParameters& parameters) : p_(parameters) {
    stepExp_ = TFloatExp::Make(p_.Span.Mant / std::max(p_.Height, 1), p_.Span.Exp);
    step_ = stepExp_.ToDouble();
    extended_ = !p_.Exact && stepExp_.Log2Floor() < std::ilogb(kExtendedBelow);
    bits_ = TDeepPosition::BitsFor(p_.Span, p_.Height);
}

TDeepPlan::~TDeepPlan() = default;

namespace {

// z := z^n + c with MPFR, the arithmetic of the plain loop at any precision.
class TMpfrStep {
public:
    explicit TMpfrStep(long bits) : bits_(bits), re2_(bits), im2_(bits), t_(bits), u_(bits) {}

    void Step(TMpfr& re, TMpfr& im, const TMpfr& cRe, const TMpfr& cIm, int pow) {
        if (pow == 2) {
            re2_.Sqr(re);
            im2_.Sqr(im);
            t_.Mul(re, im);
            re.Sub(re2_, im2_);
            re.Add(re, cRe);
            im.Mul2Exp(t_, 1);
            im.Add(im, cIm);
        } else if (pow == 3) {
            // Re' = Re·(Re² − 3 Im²) + c.Re, Im' = Im·(3 Re² − Im²) + c.Im.
            re2_.Sqr(re);
            im2_.Sqr(im);
            t_.Mul(im2_, 3.0);
            t_.Sub(re2_, t_);
            u_.Mul(re2_, 3.0);
            u_.Sub(u_, im2_);
            re.Mul(re, t_);
            re.Add(re, cRe);
            im.Mul(im, u_);
            im.Add(im, cIm);
        } else {
            Pow(re, im, pow);
            re.Add(re, cRe);
            im.Add(im, cIm);
        }
    }

private:
    // (re, im) := (re, im)^n by the chain of ComplexPow.
    void Pow(TMpfr& re, TMpfr& im, int n) {
        if (n <= 1) return;
        TMpfr zr(re), zi(im), wr(bits_), wi(bits_);
        wr.Sqr(zr);
        t_.Sqr(zi);
        wr.Sub(wr, t_);
        wi.Mul(zr, zi);
        wi.Mul2Exp(wi, 1);
        Pow(wr, wi, n / 2);
        if (n % 2 == 0) {
            re = std::move(wr);
            im = std::move(wi);
            return;
        }
        re.Mul(wr, zr);
        t_.Mul(wi, zi);
        re.Sub(re, t_);
        im.Mul(wr, zi);
        t_.Mul(wi, zr);
        im.Add(im, t_);
    }

    long bits_;
    TMpfr re2_, im2_, t_, u_;
};

// The derivative of z^n at Z, n·Z^(n−1).
TComplex PowDerivative(const TComplex& Z, int n) {
    const TComplex p = n == 2 ? Z : ComplexPow(Z, n - 1);
    return {n * p.Re, n * p.Im};
}

} // namespace

void TDeepPlan::Prepare(const TDeepProgress& progress) {
    prepared_ = false;
    orbits_.clear();
    if (p_.Exact) {
        prepared_ = true;
        return;
    }
    // The reference: the centre, rounded to the view's bits.
    TMpfr refRe(bits_), refIm(bits_);
    refRe.Set(p_.CenterRe);
    refIm.Set(p_.CenterIm);
    MakeReference(refRe, refIm, progress);
    // A reference that escapes long before some samples leaves those to
    // iterate on doubles alone once it has ended. Counted on a coarse grid,
    // the sample that lasts longest is a better one; at most twice.
    for (int move = 0; move < 2; ++move) {
        const TDeepOrbit& orbit = *orbits_.front();
        if (orbit.Periodic || orbit.Last() >= p_.Iteration) break;
        constexpr int kColumns = 32, kRows = 24;
        std::vector<TComplex> points;
        for (int j = 0; j < kRows; ++j)
            for (int i = 0; i < kColumns; ++i)
                points.push_back({(i + 0.5) * p_.Width / kColumns - p_.Width / 2.0,
                                  p_.Height / 2.0 - (j + 0.5) * p_.Height / kRows});
        std::vector<std::int32_t> counts(points.size());
        TOrbitBatch b;
        b.points = points.data();
        b.n = static_cast<int>(points.size());
        b.counts = counts.data();
        IterateBatch(b, nullptr, 1);
        std::size_t best = 0;
        const auto lasting = [](std::int32_t count) { return count == 0 ? INT64_MAX : std::int64_t(count); };
        for (std::size_t i = 1; i < counts.size(); ++i)
            if (lasting(counts[i]) > lasting(counts[best])) best = i;
        if (lasting(counts[best]) <= orbit.Last()) break;
        TMpfr step(bits_);
        step.Set(stepExp_);
        step.Mul(step, points[best].Re);
        refRe.Add(p_.CenterRe, step);
        step.Set(stepExp_);
        step.Mul(step, points[best].Im);
        refIm.Add(p_.CenterIm, step);
        MakeReference(refRe, refIm, progress);
    }
    iterations_ = 0;
    steps_ = 0;
    prepared_ = true;
}

// The orbits and tables of a reference point; the samples are offset by the
// centre's distance from it, in pixels.
void TDeepPlan::MakeReference(const TMpfr& refRe, const TMpfr& refIm, const TDeepProgress& progress) {
    orbits_.clear();
    TMpfr diff(std::max({p_.CenterRe.Bits(), p_.CenterIm.Bits(), refRe.Bits()}) + 64);
    diff.Sub(p_.CenterRe, refRe);
    offsetU_ = (diff.ToFloatExp() / stepExp_).ToDouble();
    diff.Sub(p_.CenterIm, refIm);
    offsetV_ = (diff.ToFloatExp() / stepExp_).ToDouble();

    const std::int64_t limit = std::max<std::int32_t>(p_.Iteration, 0);
    const int orbitCount = p_.Julia ? 2 : 1;
    TMpfr seedRe(bits_), seedIm(bits_);
    seedRe.Set(p_.Seed.Re);
    seedIm.Set(p_.Seed.Im);
    // The largest |δc| of the view, for the approximations' radii: half its
    // diagonal and the extra samples beyond it.
    const TFloatExp dcMax =
        p_.Julia ? TFloatExp{}
                 : stepExp_ * TFloatExp::FromDouble(std::hypot(p_.Width / 2.0 + 2, p_.Height / 2.0 + 2) +
                                                    std::fabs(offsetU_) + std::fabs(offsetV_));

    for (int k = 0; k < orbitCount; ++k) {
        auto orbit = std::make_unique<TDeepOrbit>();
        TMpfr zr(bits_), zi(bits_);
        const TMpfr *cRe = &refRe, *cIm = &refIm;
        if (p_.Julia) {
            cRe = &seedRe;
            cIm = &seedIm;
            if (k == 0) {
                zr.Set(refRe);
                zi.Set(refIm);
            }
        }
        // Only the Mandelbrot reference looks for its period: dZ/dc tells how
        // far a nucleus is.
        const bool findPeriod = !p_.Julia;
        TExpComplex derivative;
        TMpfrStep step(bits_);
        orbit->Z.reserve(static_cast<std::size_t>(std::min<std::int64_t>(limit, 1 << 20)) + 1);
        orbit->Z.push_back({zr.ToDouble(), zi.ToDouble()});
        for (std::int64_t n = 1; n <= limit; ++n) {
            if (findPeriod) {
                const TComplex a = PowDerivative(orbit->Z.back(), p_.Pow);
                derivative = TExpComplex::FromComplex(a) * derivative + TExpComplex::FromComplex({1, 0});
            }
            step.Step(zr, zi, *cRe, *cIm, p_.Pow);
            const TComplex z{zr.ToDouble(), zi.ToDouble()};
            orbit->Z.push_back(z);
            if (z.Re * z.Re + z.Im * z.Im >= p_.Bound) break;
            if (findPeriod) {
                // |dZ/dc| × spacing estimates how far the samples' orbits lie
                // from this one; only while that is below 1 does it tell where
                // a nucleus is.
                const TFloatExp spread = derivative.Abs() * stepExp_;
                const TFloatExp reach = spread * TFloatExp::FromDouble(kPeriodicMargin);
                // Cheap first: a z that is not small is no nucleus.
                if (spread.Exp <= 0 &&
                    (std::fabs(z.Re) + std::fabs(z.Im) <= 2 * reach.ToDouble() || reach.ToDouble() == 0)) {
                    const TFloatExp re = zr.ToFloatExp().Abs(), im = zi.ToFloatExp().Abs();
                    if ((re < im ? im : re) < reach) {
                        orbit->Periodic = true;
                        break;
                    }
                }
            }
            if (n % kProgressEvery == 0 && progress)
                progress(TDeepPhase::Reference, (k + double(n) / double(limit)) / orbitCount);
        }
        orbits_.push_back(std::move(orbit));
    }

    // The approximation tables, level by level.
    const TFloatExp epsilon = TFloatExp::FromDouble(kEpsilon);
    // Leaving out the square term of z² costs |δ|² against |2Zδ|: a relative
    // error below ε while |δ| < 2ε|Z|; for z^n the terms of δ² and above
    // against n Z^(n-1) δ stay below it within half of 2ε|Z| ÷ (n − 1).
    const TFloatExp radiusScale = TFloatExp::FromDouble(p_.Pow == 2 ? 2.0 : 1.0 / (p_.Pow - 1));
    std::int64_t entries = 0, done = 0;
    for (const auto& orbit : orbits_)
        entries += std::max<std::int64_t>(orbit->Last() - 1, 0);
    for (auto& orbit : orbits_) {
        const std::int64_t last = orbit->Last();
        auto single = [&](std::int64_t m) {
            const TComplex& Z = orbit->Z[static_cast<std::size_t>(m)];
            TBlaStepExp s;
            s.A = TExpComplex::FromComplex(PowDerivative(Z, p_.Pow));
            s.B = p_.Julia ? TExpComplex{} : TExpComplex::FromComplex({1, 0});
            s.R = epsilon * TFloatExp::FromDouble(std::hypot(Z.Re, Z.Im)) * radiusScale;
            return s;
        };
        std::vector<TBlaStepExp> level, next;
        std::vector<std::vector<TBlaStep>> levels; // levels[l − 1]: jumps of 2^l from m = 1 + j·2^l
        for (int l = 1;; ++l) {
            const std::int64_t count = (last - 1) >> l;
            if (count <= 0) break;
            next.resize(static_cast<std::size_t>(count));
            for (std::int64_t j = 0; j < count; ++j) {
                if (l == 1) {
                    const std::int64_t m = 1 + 2 * j;
                    next[j] = Merge(single(m), single(m + 1), dcMax);
                } else {
                    next[j] = Merge(level[2 * j], level[2 * j + 1], dcMax);
                }
                if (++done % kProgressEvery == 0 && progress)
                    progress(TDeepPhase::Tables, double(done) / double(std::max<std::int64_t>(entries, 1)));
            }
            std::vector<TBlaStep> steps(next.size());
            for (std::size_t j = 0; j < next.size(); ++j) {
                const TComplex a = next[j].A.ToComplex(), b = (next[j].B * stepExp_).ToComplex();
                steps[j] = {a.Re, a.Im, b.Re, b.Im, next[j].R.ToDouble()};
            }
            levels.push_back(std::move(steps));
            if (extended_) {
                std::vector<TBlaStepExp> kept(next);
                for (TBlaStepExp& s : kept)
                    s.B = s.B * stepExp_;
                orbit->LevelsExp.push_back(std::move(kept));
            }
            std::swap(level, next);
        }
        // Side by side by where they start, for the search from one m.
        const std::size_t starts = levels.empty() ? 0 : levels[0].size();
        orbit->JumpStart.reserve(starts + 1);
        orbit->FirstRadius.reserve(starts);
        for (std::size_t j = 0; j < starts; ++j) {
            orbit->JumpStart.push_back(static_cast<std::uint32_t>(orbit->Jumps.size()));
            orbit->FirstRadius.push_back(levels[0][j].R);
            const std::size_t k = 2 * j; // m − 1
            for (std::size_t l = 1; l <= levels.size(); ++l) {
                if (k % (std::size_t(1) << l) != 0 || (k >> l) >= levels[l - 1].size()) break;
                orbit->Jumps.push_back(levels[l - 1][k >> l]);
            }
        }
        if (starts > 0) orbit->JumpStart.push_back(static_cast<std::uint32_t>(orbit->Jumps.size()));
    }
}

// One sample under way: where it is on which reference, its δ in doubles.
struct TDeepPlan::TSample {
    int Index = 0;             // in the batch
    double Dcr = 0, Dci = 0;   // the sample's point from the reference's, in pixels
    double Cr = 0, Ci = 0;     // δc in the plane (0 for a Julia sample)
    double Dr = 0, Di = 0;     // δ
    std::int64_t M = 0, N = 0; // index in the reference, iterations done
    const TDeepOrbit* Orbit = nullptr;
    // Of the orbit, for the iterations: its values, its last index, and its
    // approximations of the first level (none: FirstSize 0).
    const TComplex* Z = nullptr;
    std::int64_t Last = 0;
    const double* First = nullptr;
    std::int64_t FirstSize = 0;

    void Follow(const TDeepOrbit* orbit) {
        Orbit = orbit;
        Z = orbit->Z.data();
        Last = orbit->Last();
        First = orbit->FirstRadius.data();
        FirstSize = static_cast<std::int64_t>(orbit->FirstRadius.size());
    }
};

namespace {

// A sample's result into the batch.
void Finish(const TOrbitBatch& b, int index, std::int32_t count, const TComplex& z) {
    b.counts[index] = count;
    if (b.finalZ) b.finalZ[index] = z;
}

} // namespace

template <bool kExtended> bool TDeepPlan::Start(TSample& s, const TOrbitBatch& b, int index) const {
    const TComplex point = BatchPoint(b, index);
    s.Index = index;
    s.Dcr = point.Re + offsetU_;
    s.Dci = point.Im + offsetV_;
    s.M = s.N = 0;
    s.Follow(orbits_.front().get());
    s.Dr = s.Di = s.Cr = s.Ci = 0;
    const TExpComplex d0 = p_.Julia ? TExpComplex::Make(s.Dcr, s.Dci, 0) * stepExp_ : TExpComplex{};
    if (!p_.Julia) {
        s.Cr = s.Dcr * step_;
        s.Ci = s.Dci * step_;
    } else {
        const TComplex d = d0.ToComplex();
        s.Dr = d.Re;
        s.Di = d.Im;
    }
    if (p_.Iteration <= 0) {
        const TComplex& Z = s.Orbit->Z[0];
        Finish(b, index, 0, {Z.Re + s.Dr, Z.Im + s.Di});
        return false;
    }
    if (kExtended && IsSmall(d0)) return RunSmall(s, d0, b);
    return true;
}

bool TDeepPlan::IsSmall(const TExpComplex& d) {
    return (d.Re == 0 && d.Im == 0) || d.NormInf().Exp <= kDoubleFloorLog2;
}

// δ below double's comfortable range, in an extended-range view: iterated
// with its own exponent until it has grown (then true, with δ in the
// sample's doubles) or the sample is done (false, its result written).
bool TDeepPlan::RunSmall(TSample& s, TExpComplex de, const TOrbitBatch& b) const {
    const std::int64_t limit = p_.Iteration;
    const TExpComplex dcPixels = TExpComplex::Make(s.Dcr, s.Dci, 0);
    const TExpComplex dc = p_.Julia ? TExpComplex{} : dcPixels * stepExp_;
    const TDeepOrbit* const rebaseOrbit = orbits_.back().get();
    for (;;) {
        std::int64_t length = 1;
        const TBlaStepExp* a = s.M >= 1 ? s.Orbit->FindExp(s.M, de.Abs(), limit - s.N, length) : nullptr;
        const TComplex& Z = s.Orbit->Z[static_cast<std::size_t>(s.M)];
        if (a)
            de = a->A * de + a->B * dcPixels;
        else if (p_.Pow == 2)
            de = (TExpComplex::FromComplex({2 * Z.Re, 2 * Z.Im}) + de) * de + dc;
        else
            de = PerturbPow(Z, de, p_.Pow).second + dc;
        s.M += length;
        s.N += length;
        const TExpComplex z = TExpComplex::FromComplex(s.Orbit->Z[static_cast<std::size_t>(s.M)]) + de;
        const TComplex zd = z.ToComplex();
        const double r2 = zd.Re * zd.Re + zd.Im * zd.Im;
        if (r2 >= p_.Bound || s.N >= limit) {
            Finish(b, s.Index, r2 >= p_.Bound ? static_cast<std::int32_t>(s.N) : 0, zd);
            return false;
        }
        if (s.M == s.Orbit->Last() || z.Abs() < de.Abs()) {
            de = z;
            s.M = 0;
            s.Follow(rebaseOrbit);
        }
        if (!IsSmall(de)) {
            const TComplex d = de.ToComplex();
            s.Dr = d.Re;
            s.Di = d.Im;
            return true;
        }
    }
}

// One move of a sample: an approximation's jump or one perturbed iteration,
// then the escape test and the rebasing. False when the sample is done (its
// result written).
template <bool kExtended, bool kPow2>
inline bool TDeepPlan::Advance(TSample& s, const TOrbitBatch& b, std::int64_t limit, double bound,
                               std::uint64_t& steps) const {
    const TComplex* Z = s.Z;
    std::int64_t m = s.M, length = 1;
    double dr = s.Dr, di = s.Di;
    const TBlaStep* a = nullptr;
    // Most moves find no jump at the first level: test it inline. An odd m
    // starts the entry (m − 1) ÷ 2.
    const double norm1 = std::fabs(dr) + std::fabs(di);
    if ((m & 1) != 0 && (m >> 1) < s.FirstSize && norm1 < s.First[m >> 1])
        a = s.Orbit->Find(m, norm1, limit - s.N, length);
    if (a) {
        const double nr = a->Ar * dr - a->Ai * di + (a->Br * s.Dcr - a->Bi * s.Dci);
        const double ni = a->Ar * di + a->Ai * dr + (a->Br * s.Dci + a->Bi * s.Dcr);
        dr = nr;
        di = ni;
    } else {
        ++steps;
        const TComplex& R = Z[m];
        if (kPow2) {
            const double tr = 2 * R.Re + dr, ti = 2 * R.Im + di;
            const double nr = (tr * dr - ti * di) + s.Cr;
            const double ni = (tr * di + ti * dr) + s.Ci;
            dr = nr;
            di = ni;
        } else {
            const TDC d = PerturbPow(R, TDC{dr, di}, p_.Pow).second;
            dr = d.Re + s.Cr;
            di = d.Im + s.Ci;
        }
    }
    m += length;
    s.N += length;
    const double zr = Z[m].Re + dr, zi = Z[m].Im + di;
    const double r2 = zr * zr + zi * zi;
    if (r2 >= bound || s.N >= limit) {
        Finish(b, s.Index, r2 >= bound ? static_cast<std::int32_t>(s.N) : 0, {zr, zi});
        return false;
    }
    if (m == s.Last || r2 < dr * dr + di * di) {
        dr = zr;
        di = zi;
        m = 0;
        s.Follow(orbits_.back().get());
    }
    s.M = m;
    s.Dr = dr;
    s.Di = di;
    if (kExtended && std::fabs(dr) + std::fabs(di) < 0x1p-500)
        return RunSmall(s, TExpComplex::Make(dr, di, 0), b);
    return true;
}

// The samples a thread takes from the cursor, several at a time: one move of
// each in turn, so that the processor works on their independent chains of
// arithmetic side by side. A sample's arithmetic is the same whatever its
// neighbours, so the results do not depend on the grouping.
template <bool kExtended, bool kPow2>
void TDeepPlan::RunSamples(const TOrbitBatch& b, lanes::TBatchCursor& shared) const {
    constexpr int kLanes = 4;
    lanes::TLocalCursor cursor(shared);
    TSample lane[kLanes];
    bool live[kLanes];
    const auto refill = [&](int k) {
        for (int i = cursor.Next(); i >= 0; i = cursor.Next())
            if (Start<kExtended>(lane[k], b, i)) return true;
        return false;
    };
    int running = 0;
    for (int k = 0; k < kLanes; ++k)
        running += live[k] = refill(k);
    std::uint64_t steps = 0, iterations = 0;
    const std::int64_t limit = p_.Iteration;
    const double bound = p_.Bound;
    while (running > 0) {
        for (int k = 0; k < kLanes; ++k) {
            if (live[k] && !Advance<kExtended, kPow2>(lane[k], b, limit, bound, steps)) {
                iterations += static_cast<std::uint64_t>(lane[k].N);
                live[k] = refill(k);
                running -= !live[k];
            }
        }
    }
    steps_.fetch_add(steps, std::memory_order_relaxed);
    iterations_.fetch_add(iterations, std::memory_order_relaxed);
}

namespace {

// What the quick move of exponent 2 keeps in registers of a sample.
struct TQuick {
    double Dr, Di, Cr, Ci, Dcr, Dci;
    double Zr, Zi; // Z[M]
    std::int64_t M, N;
    std::int64_t Stop; // the index where quick moves end: the reference's last, or the limit
    std::int64_t FirstSize;
    const TComplex* Z;
    const double* First;
    const TDeepOrbit* Orbit;
};

// The move of the common case, an approximation's jump or the iteration
// δ' = (2Z + δ)δ + δc, when nothing happens after it (no escape, no end, no
// rebasing, δ not too small): then true with the new state. Otherwise false
// with the state unchanged, for the full move (TDeepPlan::Advance), which
// makes the same decisions from it.
template <bool kExtended>
[[gnu::always_inline]] inline bool QuickMove(TQuick& q, std::int64_t limit, double bound,
                                             std::uint64_t& steps) {
    const double norm1 = std::fabs(q.Dr) + std::fabs(q.Di);
    double nr, ni;
    std::int64_t length = 1;
    const TBlaStep* a = nullptr;
    if ((q.M & 1) != 0 && (q.M >> 1) < q.FirstSize && norm1 < q.First[q.M >> 1])
        a = q.Orbit->Find(q.M, norm1, limit - q.N, length);
    if (a) {
        nr = a->Ar * q.Dr - a->Ai * q.Di + (a->Br * q.Dcr - a->Bi * q.Dci);
        ni = a->Ar * q.Di + a->Ai * q.Dr + (a->Br * q.Dci + a->Bi * q.Dcr);
    } else {
        const double tr = 2 * q.Zr + q.Dr, ti = 2 * q.Zi + q.Di;
        nr = (tr * q.Dr - ti * q.Di) + q.Cr;
        ni = (tr * q.Di + ti * q.Dr) + q.Ci;
        ++steps;
    }
    const std::int64_t m = q.M + length;
    const TComplex R = q.Z[m];
    const double zr = R.Re + nr, zi = R.Im + ni;
    const double r2 = zr * zr + zi * zi;
    if (r2 >= bound || m >= q.Stop || r2 < nr * nr + ni * ni ||
        (kExtended && std::fabs(nr) + std::fabs(ni) < 0x1p-500)) {
        steps -= length == 1;
        return false;
    }
    q.Dr = nr;
    q.Di = ni;
    q.Zr = R.Re;
    q.Zi = R.Im;
    q.M = m;
    q.N += length;
    return true;
}

} // namespace

// Exponent 2: two samples side by side, their common iterations in
// registers (QuickMove), everything else by the full move.
template <bool kExtended> void TDeepPlan::RunPairs(const TOrbitBatch& b, lanes::TBatchCursor& shared) const {
    lanes::TLocalCursor cursor(shared);
    const std::int64_t limit = p_.Iteration;
    const double bound = p_.Bound;
    std::uint64_t steps = 0, iterations = 0;
    TSample lane[2];
    bool live[2];
    const auto refill = [&](int k) {
        for (int i = cursor.Next(); i >= 0; i = cursor.Next())
            if (Start<kExtended>(lane[k], b, i)) return true;
        return false;
    };
    const auto load = [&](const TSample& s) {
        return TQuick{s.Dr,
                      s.Di,
                      s.Cr,
                      s.Ci,
                      s.Dcr,
                      s.Dci,
                      s.Z[s.M].Re,
                      s.Z[s.M].Im,
                      s.M,
                      s.N,
                      std::min(s.Last, s.M + (limit - s.N)),
                      s.FirstSize,
                      s.Z,
                      s.First,
                      s.Orbit};
    };
    const auto store = [](const TQuick& q, TSample& s) {
        s.Dr = q.Dr;
        s.Di = q.Di;
        s.M = q.M;
        s.N = q.N;
    };
    // The full move of lane k; a lane whose sample is done takes the next one.
    const auto move = [&](int k) {
        if (!Advance<kExtended, true>(lane[k], b, limit, bound, steps)) {
            iterations += static_cast<std::uint64_t>(lane[k].N);
            live[k] = refill(k);
        }
    };
    live[0] = refill(0);
    live[1] = refill(1);
    while (live[0] || live[1]) {
        if (live[0] && live[1]) {
            TQuick q0 = load(lane[0]), q1 = load(lane[1]);
            int stopped;
            for (;;) {
                if (!QuickMove<kExtended>(q0, limit, bound, steps)) {
                    stopped = 0;
                    break;
                }
                if (!QuickMove<kExtended>(q1, limit, bound, steps)) {
                    stopped = 1;
                    break;
                }
            }
            store(q0, lane[0]);
            store(q1, lane[1]);
            move(stopped);
        } else {
            const int k = live[0] ? 0 : 1;
            TQuick q = load(lane[k]);
            while (QuickMove<kExtended>(q, limit, bound, steps)) {
            }
            store(q, lane[k]);
            move(k);
        }
    }
    steps_.fetch_add(steps, std::memory_order_relaxed);
    iterations_.fetch_add(iterations, std::memory_order_relaxed);
}

std::int32_t TDeepPlan::IterateExact(double u, double v, TComplex* finalZ) const {
    const long bits = p_.ExactBitsFor();
    TMpfr pr(bits), pi(bits), offset(bits);
    offset.Set(stepExp_);
    offset.Mul(offset, u);
    pr.Add(p_.CenterRe, offset);
    offset.Set(stepExp_);
    offset.Mul(offset, v);
    pi.Add(p_.CenterIm, offset);
    TMpfr zr(bits), zi(bits), cr(bits), ci(bits), re2(bits), im2(bits), t(bits), sum(bits);
    if (p_.Julia) {
        zr = pr;
        zi = pi;
        cr.Set(p_.Seed.Re);
        ci.Set(p_.Seed.Im);
    } else {
        cr = pr;
        ci = pi;
    }
    // As the plain loop: the squares of the escape test serve the next step.
    re2.Sqr(zr);
    im2.Sqr(zi);
    TMpfrStep step(bits);
    std::int32_t count = 0;
    for (std::int64_t k = 1; k <= p_.Iteration; ++k) {
        if (p_.Pow == 2) {
            t.Mul(zr, zi);
            zr.Sub(re2, im2);
            zr.Add(zr, cr);
            zi.Mul2Exp(t, 1);
            zi.Add(zi, ci);
        } else {
            step.Step(zr, zi, cr, ci, p_.Pow);
        }
        re2.Sqr(zr);
        im2.Sqr(zi);
        sum.Add(re2, im2);
        if (sum.ToDouble() >= p_.Bound) {
            count = static_cast<std::int32_t>(k);
            break;
        }
    }
    if (finalZ) *finalZ = {zr.ToDouble(), zi.ToDouble()};
    return count;
}

std::int32_t TDeepPlan::Iterate(double u, double v, TComplex* finalZ) const {
    std::int32_t count = 0;
    TComplex z;
    const TComplex point{u, v};
    TOrbitBatch b;
    b.points = &point;
    b.n = 1;
    b.counts = &count;
    b.finalZ = &z;
    IterateBatch(b, nullptr, 1);
    if (finalZ) *finalZ = z;
    return count;
}

void TDeepPlan::IterateBatch(const TOrbitBatch& b, TWorkerPool* pool, int threads) const {
    if (b.n <= 0) return;
    if (!pool) threads = 1;
    threads = std::clamp(threads, 1, pool ? pool->Threads() : 1);
    if (b.n < 2) threads = 1;
    // Samples cost very different amounts: small chunks keep the threads even.
    lanes::TBatchCursor cursor(b.n, threads > 1 ? std::clamp(b.n / (threads * 16), 1, 64) : b.n);
    auto part = [&](int) {
        if (p_.Exact) {
            lanes::TLocalCursor local(cursor);
            for (int i = local.Next(); i >= 0; i = local.Next()) {
                const TComplex point = BatchPoint(b, i);
                b.counts[i] = IterateExact(point.Re, point.Im, b.finalZ ? &b.finalZ[i] : nullptr);
            }
        } else if (p_.Pow == 2) {
            if (extended_)
                RunPairs<true>(b, cursor);
            else
                RunPairs<false>(b, cursor);
        } else {
            if (extended_)
                RunSamples<true, false>(b, cursor);
            else
                RunSamples<false, false>(b, cursor);
        }
    };
    if (threads > 1 && pool)
        pool->Run(threads, part);
    else
        part(0);
}

TDeepPlan::TStatistics TDeepPlan::Statistics() const {
    TStatistics s;
    s.Iterations = iterations_.load();
    s.Steps = steps_.load();
    s.Bits = p_.Exact ? p_.ExactBitsFor() : bits_;
    s.ExtendedRange = extended_;
    if (!orbits_.empty()) {
        s.ReferenceLength = orbits_.front()->Last();
        s.Periodic = orbits_.front()->Periodic;
    }
    for (const auto& orbit : orbits_) {
        s.Bytes += orbit->Z.capacity() * sizeof(TComplex);
        s.Bytes += orbit->Jumps.capacity() * sizeof(TBlaStep) +
                   orbit->JumpStart.capacity() * sizeof(std::uint32_t) +
                   orbit->FirstRadius.capacity() * sizeof(double);
        for (const auto& level : orbit->LevelsExp)
            s.Bytes += level.capacity() * sizeof(TBlaStepExp);
    }
    return s;
}

std::uint64_t DeepPlanMemoryBound(std::int32_t iteration, bool julia) {
    // Per iteration of an orbit: its z, and the tables' entries of all levels
    // together (fewer than the iterations): in doubles twice while they are
    // put side by side, with their radii and starts; with exponents, kept
    // (extended views) or while a level is made from the one before.
    const std::uint64_t perIteration = sizeof(TComplex) + 2 * sizeof(TBlaStep) + sizeof(double) +
                                       sizeof(std::uint32_t) + 2 * sizeof(TBlaStepExp);
    const std::uint64_t n = static_cast<std::uint64_t>(std::max<std::int32_t>(iteration, 0)) + 1;
    return n * perIteration * (julia ? 2 : 1);
}

} // namespace vistal
