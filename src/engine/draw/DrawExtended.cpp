// SPDX-License-Identifier: GPL-3.0-or-later
// Extended drawing: the picture shaded by a potential of the final iterate,
// with the result cache that lets it be coloured again without iterating.
#include "engine/Messages.h"
#include "engine/draw/ColorTable.h"
#include "engine/draw/DrawFrame.h"
#include "engine/draw/PotentialPainter.h"
#include "engine/kernels/SmoothCount.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace vistal {

namespace {

// The real parts of the samples x = 0..width of one row.
std::vector<double> SampleRe(const TDrawFrame& f, int width) {
    std::vector<double> re(static_cast<std::size_t>(width) + 1);
    for (int x = 0; x <= width; ++x)
        re[x] = f.PointRe(x);
    return re;
}

// The cache's sample rows (Width + 1 samples each), iterated in order; Need(y)
// makes sure row y is there. Grouped (see kGroupPoints), the rows after y, up
// to kGroupPoints samples in all, are iterated in the same batch.
class TSampleRows {
public:
    TSampleRows(const TExtKernel& kernel, const TDrawFrame& f, TResultCache& cache, int width, int height,
                bool grouped)
        : kernel_(kernel), f_(f), cache_(cache), re_(SampleRe(f, width)), height_(height),
          groupRows_(grouped ? std::max(1, kGroupPoints / (width + 1)) : 1) {}

    void Need(int y) {
        while (next_ <= y && next_ <= height_) {
            const int last = std::min(height_, next_ + groupRows_ - 1);
            const int width = static_cast<int>(re_.size());
            if (last == next_) {
                kernel_.IterateRow(re_.data(), f_.PointIm(next_), width, cache_.CountRow(next_),
                                   cache_.ZRow(next_));
            } else {
                points_.clear();
                for (int row = next_; row <= last; ++row) {
                    const double im = f_.PointIm(row);
                    for (double re : re_)
                        points_.push_back(TComplex{re, im});
                }
                kernel_.IteratePoints(points_.data(), static_cast<int>(points_.size()),
                                      cache_.CountRow(next_), cache_.ZRow(next_));
            }
            next_ = last + 1;
        }
    }

private:
    const TExtKernel& kernel_;
    const TDrawFrame& f_;
    TResultCache& cache_;
    const std::vector<double> re_;
    const int height_;
    const int groupRows_;
    std::vector<TComplex> points_;
    int next_ = 0;
};

TColor* BitmapRow(TBitmap& bitmap, int y, int width) {
    if (bitmap.Width() != width || y < 0 || y >= bitmap.Height())
        throw ERangeError(msg::kBitmapRowOutOfRange);
    return bitmap.Row(y);
}

// A progress point of extended drawing. Besides the frame's abort check: when
// the cache was freed or reallocated meanwhile (by a command run from the
// pump), this drawing has been superseded and stops silently.
void ExtProgress(TDrawFrame& f, const TResultCache& cache, std::uint64_t generation, double done) {
    f.Progress(done);
    if (cache.Generation() != generation) throw EAbort();
}

// Colours row y of the cache as extended normal drawing does: by count, or
// under smooth colouring by the continuous count of count and final z
// (escape radius Escape).
void ColourCacheRow(const TVistal& engine, const TResultCache& cache, int y, int width, TColorTable& colours,
                    TColor* row) {
    const std::int32_t* counts = cache.CountRow(y);
    if (!engine.Smooth) {
        for (int x = 0; x < width; ++x)
            row[x] = colours(counts[x]);
        return;
    }
    const TSmoothScale scale(engine.Escape(), engine.Pow());
    const TComplex* z = cache.ZRow(y);
    for (int x = 0; x < width; ++x)
        row[x] = engine.SmoothColorOf(SmoothCount(counts[x], z[x], scale));
}

} // namespace

TExtKernel TVistal::MakeExtKernel() {
    const int threads = PrepareWorkers();
    TExtKernel kernel(formula_ == fmMandelbrot ? TExtKernelKind::Mandelbrot : TExtKernelKind::Julia,
                      iteration_, pow_, juliaSeed_, escapeSquared_, &KernelCalls, KernelPath, workers_.get(),
                      threads);
    drawingPlan_ = PlanFor(escapeSquared_);
    kernel.SetDeep(drawingPlan_.get());
    return kernel;
}

void TVistal::DrawExtNormal(const TExtKernel& kernel) {
    const int width = width_, height = height_;
    if (ResultCacheValid()) {
        TDrawFrame f(*this, false);
        TColorTable colours(*this);
        const std::uint64_t generation = resultCache_.Generation();
        for (int y = 0; y < height; ++y) {
            ColourCacheRow(*this, resultCache_, y, width, colours, BitmapRow(drawBitmap_, y, width));
            ExtProgress(f, resultCache_, generation, double(y + 1) / height);
            colours.Forget();
        }
        limitShare_ = colours.Share();
        return;
    }
    const TResultCacheValidFor key = BeginComputing();
    TDrawFrame f(*this);
    TColorTable colours(*this);
    const std::uint64_t generation = resultCache_.Generation();
    TSampleRows samples(kernel, f, resultCache_, width, height, !PumpHook);
    for (int y = 0; y < height; ++y) {
        // The row's pixels and the extra sample (Width, y) beyond them.
        samples.Need(y);
        ColourCacheRow(*this, resultCache_, y, width, colours, BitmapRow(drawBitmap_, y, width));
        ExtProgress(f, resultCache_, generation, double(y + 1) / (height + 1));
        colours.Forget();
    }
    // The extra row is not drawn: it is there for a later potential drawing.
    samples.Need(height);
    resultCache_.ValidFor = key;
    limitShare_ = colours.Share();
}

void TVistal::DrawPotential(const TExtKernel& kernel) {
    DrawPotentialWith(kernel, false);
}

void TVistal::DrawPotentialMixed(const TExtKernel& kernel) {
    DrawPotentialWith(kernel, true);
}

void TVistal::DrawPotentialWith(const TExtKernel& kernel, bool mixed) {
    const int width = width_, height = height_;
    TPotentialPainter::RequireFunctions(potentialFunction_, brightFunction_, representFunction_);
    const int threads = PrepareWorkers();
    if (ResultCacheValid()) {
        TDrawFrame f(*this, false);
        TPotentialPainter painter(*this, potentialFunction_, brightFunction_, representFunction_, f.planeDy,
                                  mixed, workers_.get(), threads);
        const std::uint64_t generation = resultCache_.Generation();
        for (int y = 0; y < height; ++y) {
            painter.PaintRow(resultCache_, y, width, BitmapRow(drawBitmap_, y, width));
            ExtProgress(f, resultCache_, generation, double(y + 1) / height);
        }
        return;
    }
    const TResultCacheValidFor key = BeginComputing();
    TDrawFrame f(*this);
    TPotentialPainter painter(*this, potentialFunction_, brightFunction_, representFunction_, f.planeDy,
                              mixed, workers_.get(), threads);
    const std::uint64_t generation = resultCache_.Generation();
    TSampleRows samples(kernel, f, resultCache_, width, height, !PumpHook);
    samples.Need(0);
    // Every sample is computed once; row j - 1 is coloured as soon as row j,
    // which holds its lower neighbours, exists.
    for (int j = 1; j <= height; ++j) {
        samples.Need(j);
        painter.PaintRow(resultCache_, j - 1, width, BitmapRow(drawBitmap_, j - 1, width));
        ExtProgress(f, resultCache_, generation, double(j) / height);
    }
    resultCache_.ValidFor = key;
}

} // namespace vistal
