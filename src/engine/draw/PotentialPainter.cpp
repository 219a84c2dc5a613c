// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/draw/PotentialPainter.h"

#include "base/WorkerPool.h"
#include "colour/Rgblib.h"
#include "engine/PaletteColor.h"
#include "engine/PotentialMath.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <mutex>

namespace vistal {

namespace pm = potential_math;

namespace {

// Counts beyond this take std::pow itself; 2^1024 and above are infinite anyway.
constexpr std::int32_t kPowerTable = 1100;

// Counts whose palette entries are looked up in a table when mixing.
constexpr std::int32_t kCountTable = 1 << 16;

// A shared row is cut into this many parts per thread: enough to even out
// the threads' work, few enough that claiming them costs little.
constexpr int kPartsPerThread = 4;

} // namespace

// The palette, detail and colour count may change at any progress point (a
// command run from the pump); between two they cannot.
void TPotentialPainter::RefreshColours() {
    TColours& c = colours_;
    if (coloursValid_ && c.detail == engine_.Detail() && c.nColors == engine_.NColors() &&
        c.palette == engine_.Palette())
        return;
    coloursValid_ = false;
    c.palette = engine_.Palette();
    c.detail = engine_.Detail();
    c.nColors = engine_.NColors();
    const std::size_t size = c.palette.size();
    if (mixed_) {
        c.luma.resize(size);
        TRgb rgb;
        for (std::size_t i = 0; i < size; ++i) {
            rgb.FromColor(c.palette[i]);
            const double cb = rgb.Cb(), cr = rgb.Cr();
            c.luma[i] = {1.4026 * cr, 0.7144 * cr, 0.3444 * cb, 1.773 * cb};
        }
        c.entryByCount.clear();
        try {
            for (std::int32_t count = 0; count < maxCounts_; ++count)
                c.entryByCount.push_back(
                    static_cast<std::uint32_t>(PaletteIndexOf(size, c.detail, c.nColors, count)));
        } catch (const ERangeError&) {
            c.entryByCount.clear(); // the pixels that need such a count report the error themselves
        }
    } else {
        c.byIndexValid = false;
        c.byIndex.clear();
        if (c.nColors >= 0 && static_cast<std::size_t>(c.nColors) < size) {
            try {
                for (std::int32_t i = 0; i <= c.nColors; ++i)
                    c.byIndex.push_back(PaletteColorOf(c.palette.data(), size, c.detail, c.nColors, i));
                c.byIndexValid = true;
            } catch (const ERangeError&) {
                // The pixels that need such an index report the error themselves.
            }
        }
    }
    coloursValid_ = true;
}

void TPotentialPainter::ComputeSlopes(const std::int32_t* counts, const TComplex* z, int from, int to,
                                      double* out) const {
    // The potential as a slope per pixel; dy is negative, so the sign turns.
    switch (potentialKind_) {
    case 1: {
        const std::int32_t table = static_cast<std::int32_t>(powersOfTwo_.size());
        for (int x = from; x < to; ++x) {
            const std::int32_t n = counts[x];
            const double divisor = n >= 0 && n < table ? powersOfTwo_[n] : pm::PowerOfTwo(n);
            out[x] = pm::Potential1Of(pm::SquaredModulus(z[x]), halfScale_, divisor) / dy_;
        }
        return;
    }
    case 2:
        for (int x = from; x < to; ++x)
            out[x] = pm::Potential2Of(std::sqrt(pm::SquaredModulus(z[x])), counts[x], scale_.Ln2,
                                      scale_.CorrectionScale) /
                     dy_;
        return;
    case 3:
        for (int x = from; x < to; ++x)
            out[x] = pm::Potential3Of(pm::SquaredModulus(z[x]), scale_.CorrectionScale) / dy_;
        return;
    default:
        for (int x = from; x < to; ++x)
            out[x] = potential_(z[x], counts[x], scale_) / dy_;
        return;
    }
}

namespace {

// The brightness by PotentialBright's function: Bright1..4 inline, or (0)
// through the function pointer.
template <int Bright> double BrightnessOf(TBrightFunction f, double px, double py, double pc) {
    if constexpr (Bright == 0) {
        return f(px, py, pc);
    } else {
        const double d = pm::SlopeSum(px, py, pc);
        if constexpr (Bright == 1) return pm::Bright1Of(d);
        if constexpr (Bright == 2) return pm::Bright2Of(d);
        if constexpr (Bright == 3) return pm::Bright3Of(d);
        if constexpr (Bright == 4) return pm::Bright4Of(d);
    }
}

template <int Represent> double RepresentationOf(TRepresentFunction f, double x) {
    if constexpr (Represent == 1) return pm::Representation1Of(x);
    if constexpr (Represent == 2) return pm::Representation2Of(x);
    if constexpr (Represent == 0) return f(x);
}

} // namespace

// Pixels x..to-1 of a row whose own slopes are in upper_ and whose lower
// neighbours' slopes are in lower_. Stops at the first pixel that cannot be
// coloured and throws its error with x at that pixel.
template <int Bright, int Represent, bool Mixed>
void TPotentialPainter::PaintSpan(const std::int32_t* counts, int& x, int to, TColor* out) const {
    const TColours& c = colours_;
    const TColor* palette = c.palette.data();
    const std::size_t size = c.palette.size();
    const double* upper = upper_.data();
    const double* lower = lower_.data();
    const double topIndex = c.nColors - 1; // (NColors − 1) × t + 1 is the index
    for (; x < to; ++x) {
        const std::int32_t count = counts[x];
        if (count == 0) {
            out[x] = PaletteColorOf(palette, size, c.detail, c.nColors, 0);
            continue;
        }
        // The neighbours count whatever their own counts, 0 included.
        const double b = BrightnessOf<Bright>(bright_, upper[x + 1], lower[x], upper[x]);
        double t = pm::LightDarkOf(RepresentationOf<Represent>(represent_, b), invert_);
        // A relief that cannot be computed (slopes from an infinite z, or a
        // correction scale of 0 or infinity) is shaded as flat ground.
        if (std::isnan(t)) t = flat_;
        if constexpr (Mixed) {
            // TRgb::FromYCbCr(Cb, Cr, t) of the count's colour, the products
            // of Cb and Cr taken from the palette entry's table.
            const std::size_t entry = count > 0 && count < static_cast<std::int32_t>(c.entryByCount.size())
                                          ? c.entryByCount[count]
                                          : PaletteIndexOf(size, c.detail, c.nColors, count);
            const TLuma& e = c.luma[entry];
            const int red = pm::ComponentOf((t + e.red) * 255);
            const int green = pm::ComponentOf((t - e.greenCr - e.greenCb) * 255);
            const int blue = pm::ComponentOf((t + e.blue) * 255);
            out[x] = static_cast<TColor>(blue * 65536 + green * 256 + red);
        } else {
            const double i = topIndex * t + 1;
            if (!(i > -2147483649.0 && i < 2147483648.0)) throw ERangeError("Palette index out of range");
            const auto index = static_cast<std::int32_t>(i); // truncated toward zero
            out[x] = c.byIndexValid && index >= 0 && index <= c.nColors
                         ? c.byIndex[index]
                         : PaletteColorOf(palette, size, c.detail, c.nColors, index);
        }
    }
}

namespace {

template <int Bright, bool Mixed> TPotentialPainter::TSpanPainter SpanByRepresent(int represent) {
    if (represent == 1) return &TPotentialPainter::PaintSpan<Bright, 1, Mixed>;
    return &TPotentialPainter::PaintSpan<Bright, 2, Mixed>;
}

template <bool Mixed> TPotentialPainter::TSpanPainter SpanOf(int bright, int represent) {
    switch (represent == 0 ? 0 : bright) {
    case 1:
        return SpanByRepresent<1, Mixed>(represent);
    case 2:
        return SpanByRepresent<2, Mixed>(represent);
    case 3:
        return SpanByRepresent<3, Mixed>(represent);
    case 4:
        return SpanByRepresent<4, Mixed>(represent);
    default:
        return &TPotentialPainter::PaintSpan<0, 0, Mixed>;
    }
}

} // namespace

TPotentialPainter::TPotentialPainter(const TVistal& engine, TPotentialFunction potential,
                                     TBrightFunction bright, TRepresentFunction represent, double dy,
                                     bool mixed, TWorkerPool* pool, int threads)
    : engine_(engine), potential_(potential), bright_(bright), represent_(represent),
      invert_(engine.LightDark == 1), scale_{engine.CorrectionScale(), engine.Ln2()},
      halfScale_(scale_.CorrectionScale * 0.5), dy_(dy), mixed_(mixed), pool_(pool),
      threads_(pool ? std::max(threads, 1) : 1) {
    RequireFunctions(potential_, bright_, represent_);
    flat_ = pm::LightDarkOf(represent_(bright_(0, 0, 0)), invert_);
    maxCounts_ = std::clamp(engine.Iteration(), 0, kCountTable - 1) + 1;
    if (potential_ == Potential1) {
        potentialKind_ = 1;
        // Counts 0..Iteration, of which the table holds the first kPowerTable.
        const auto n = static_cast<std::int32_t>(
            std::min<std::int64_t>(kPowerTable, std::int64_t{std::max(engine.Iteration(), 0)} + 1));
        powersOfTwo_.resize(static_cast<std::size_t>(n));
        for (std::int32_t count = 0; count < n; ++count)
            powersOfTwo_[count] = pm::PowerOfTwo(count);
    } else if (potential_ == Potential2) {
        potentialKind_ = 2;
    } else if (potential_ == Potential3) {
        potentialKind_ = 3;
    }
    // Bright1..4 and Representation1..2 are computed inline; other functions
    // (none is chosen today) through their pointers.
    const TBrightFunction brights[] = {Bright1, Bright2, Bright3, Bright4};
    int brightIndex = 0;
    for (int i = 0; i < 4; ++i)
        if (bright_ == brights[i]) brightIndex = i + 1;
    const int representIndex = represent_ == Representation1 ? 1 : represent_ == Representation2 ? 2 : 0;
    span_ = mixed_ ? SpanOf<true>(brightIndex, representIndex) : SpanOf<false>(brightIndex, representIndex);
}

void TPotentialPainter::RequireFunctions(TPotentialFunction potential, TBrightFunction bright,
                                         TRepresentFunction represent) {
    if (!potential || !bright || !represent) throw ERangeError("Extended drawing function not chosen");
}

int TPotentialPainter::PaintPart(const TRows& rows, int width, int from, int to, TColor* out,
                                 std::exception_ptr& failure) {
    // The lower row's slopes of these columns, and of the last column with
    // the last part: the next row's pixels need them as their own.
    ComputeSlopes(rows.countsBelow, rows.zBelow, from, to == width ? width + 1 : to, lower_.data());
    int x = from;
    try {
        (this->*span_)(rows.counts, x, to, out);
    } catch (...) {
        failure = std::current_exception();
    }
    return x;
}

void TPotentialPainter::PaintRow(const TResultCache& cache, int y, int width, TColor* out) {
    if (width <= 0) return;
    if (cache.Columns() < width + 1) throw ERangeError("Result cache index out of range");
    const TRows rows{cache.CountRow(y), cache.CountRow(y + 1), cache.ZRow(y + 1)};
    RefreshColours();
    const std::size_t slopes = static_cast<std::size_t>(width) + 1;
    const bool haveUpper =
        slopeRow_ == y && slopeGeneration_ == cache.Generation() && upper_.size() == slopes;
    upper_.resize(slopes);
    lower_.resize(slopes);
    if (!haveUpper) ComputeSlopes(cache.CountRow(y), cache.ZRow(y), 0, width + 1, upper_.data());
    slopeRow_ = -1; // until this row has finished

    std::exception_ptr failure;
    int failedAt = width;
    if (threads_ <= 1 || width < kMinSplitPixels) {
        failedAt = PaintPart(rows, width, 0, width, out, failure);
    } else {
        // The threads colour into scratch_; only the pixels the one-by-one
        // order would have written before an error reach the picture.
        scratch_.resize(static_cast<std::size_t>(width));
        // Each thread starts with the parts at its own place in the row and
        // then takes what is left: from row to row a thread mostly colours
        // the same columns, whose slopes it computed itself.
        const int threads = std::min(threads_, width / kMinPartPixels);
        const int parts = threads * kPartsPerThread;
        if (!claimed_) claimed_ = std::make_unique<std::atomic<bool>[]>(threads_ * kPartsPerThread);
        for (int i = 0; i < parts; ++i)
            claimed_[i].store(false, std::memory_order_relaxed);
        std::mutex failureMutex;
        pool_->Run(threads, [&](int thread) {
            const int home = thread * kPartsPerThread;
            for (int k = 0; k < parts; ++k) {
                const int part = (home + k) % parts;
                if (claimed_[part].exchange(true, std::memory_order_relaxed)) continue;
                const int from = static_cast<int>(std::int64_t{width} * part / parts);
                const int to = static_cast<int>(std::int64_t{width} * (part + 1) / parts);
                std::exception_ptr partFailure;
                const int x = PaintPart(rows, width, from, to, scratch_.data(), partFailure);
                if (partFailure) {
                    std::lock_guard lock(failureMutex);
                    if (x < failedAt) {
                        failedAt = x;
                        failure = partFailure;
                    }
                }
            }
        });
        std::copy(scratch_.begin(), scratch_.begin() + failedAt, out);
    }
    if (failure) std::rethrow_exception(failure);
    upper_.swap(lower_);
    slopeRow_ = y + 1;
    slopeGeneration_ = cache.Generation();
}

} // namespace vistal
