// SPDX-License-Identifier: GPL-3.0-or-later
// The normal method: every pixel of the rows to compute, top to bottom; and
// the counts of every pixel the same way, for files of counts.
#include "engine/draw/ColorTable.h"
#include "engine/draw/DrawFrame.h"
#include "engine/kernels/SmoothCount.h"

#include <algorithm>
#include <vector>

namespace vistal {

void TVistal::DrawNormal(const TKernel& kernel) {
    TDrawFrame f(*this);
    TColorTable colours(*this);
    const int width = f.maxX + 1;
    std::vector<double> re(static_cast<std::size_t>(width));
    for (int x = 0; x < width; ++x)
        re[x] = f.PointRe(x);
    std::vector<TSampleRow> rows;
    for (int y = 0; y <= f.lastRow; ++y)
        rows.push_back({re.data(), width, f.PointIm(y)});
    f.CountRows(kernel, rows, [&](std::size_t y, const std::int32_t* counts, const double* nu) {
        colours.ColourRow(counts, width, drawBitmap_.Row(static_cast<int>(y)), nu);
        f.Progress(double(y + 1) / (f.lastRow + 1));
        colours.Refresh();
    });
    f.MirrorIfHalf();
    limitShare_ = colours.Share();
}

void TVistal::CountPixels(std::vector<std::int32_t>& counts, std::vector<double>* nu) {
    const std::size_t size = static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_);
    counts.assign(size, 0);
    if (nu) nu->assign(size, 0);
    if (DrawMode >= dmExtNormal && ResultCacheValid()) {
        const TSmoothScale scale(Escape(), pow_);
        for (int y = 0; y < height_; ++y) {
            const std::size_t at = static_cast<std::size_t>(y) * static_cast<std::size_t>(width_);
            const std::int32_t* row = resultCache_.CountRow(y);
            std::copy_n(row, width_, counts.data() + at);
            if (nu)
                for (int x = 0; x < width_; ++x)
                    (*nu)[at + x] = SmoothCount(row[x], resultCache_.ZRow(y)[x], scale);
        }
        return;
    }
    const TKernel kernel = MakeKernel();
    TDrawFrame f(*this);
    f.smooth = nu != nullptr;
    std::vector<double> re(static_cast<std::size_t>(width_));
    for (int x = 0; x < width_; ++x)
        re[x] = f.PointRe(x);
    std::vector<TSampleRow> rows;
    for (int y = 0; y < height_; ++y)
        rows.push_back({re.data(), width_, f.PointIm(y)});
    f.CountRows(kernel, rows, [&](std::size_t y, const std::int32_t* row, const double* rowNu) {
        const std::size_t at = y * static_cast<std::size_t>(width_);
        std::copy_n(row, width_, counts.data() + at);
        if (nu) std::copy_n(rowNu, width_, nu->data() + at);
        f.Progress(double(y + 1) / height_);
    });
}

bool TVistal::CanUseHalf() const {
    if (pow_ != 2 || !Half) return false;
    // A deep view is symmetric when its exact centre lies on the axis.
    const bool deep = DeepView();
    const bool reZero = deep ? position_.Re.IsZero() : center_.Re == 0;
    const bool imZero = deep ? position_.Im.IsZero() : center_.Im == 0;
    if (formula_ == fmMandelbrot || juliaSeed_.Im == 0) return imZero;
    return reZero && imZero;
}

void TVistal::MirrorHalf(int maxX, int maxY, int lastRow) {
    if (lastRow >= maxY) return;
    if (formula_ == fmMandelbrot || juliaSeed_.Im == 0) {
        // Mirror in the real axis: row y is the image of row Height - y.
        for (int y = lastRow + 1; y <= maxY; ++y)
            drawBitmap_.CopyRect(0, y, drawBitmap_, 0, height_ - y, width_, 1);
        return;
    }
    // Point reflection through the origin: pixel (x, y) := pixel (Width - x, Height - y).
    const int rows = maxY - lastRow;
    TBitmap temp(width_, rows);
    for (int k = 0; k < rows; ++k)
        temp.CopyRect(0, k, drawBitmap_, 0, height_ - (lastRow + 1 + k), width_, 1);
    for (int i = 0; i <= maxX; ++i)
        drawBitmap_.CopyRect(width_ - i, lastRow + 1, temp, i, 0, 1, rows);
    // Column 0 has no image inside the picture: it is computed directly (a
    // deep view numbers its samples in pixels from the centre).
    const TKernel base = MakeKernel();
    TKernel julia2(TKernelKind::Julia2, iteration_, 2, juliaSeed_, &KernelCalls, base.Path(), workers_.get(),
                   base.Threads());
    julia2.SetDeep(base.Deep());
    TComplex P{-width_ / 2.0, height_ / 2.0};
    double dy = -1;
    if (!base.Deep()) {
        P = GetPointP();
        dy = (GetPointQ().Im - P.Im) / height_;
    }
    std::vector<TComplex> points;
    for (int y = lastRow + 1; y <= maxY; ++y)
        points.push_back({P.Re, y * dy + P.Im});
    std::vector<std::int32_t> counts(points.size());
    std::vector<double> nu(Smooth ? points.size() : 0);
    julia2.CountPoints(points.data(), rows, counts.data(), Smooth ? nu.data() : nullptr);
    for (int y = lastRow + 1; y <= maxY; ++y) {
        const std::size_t k = static_cast<std::size_t>(y - lastRow - 1);
        drawBitmap_.SetPixel(0, y, Smooth ? SmoothColorOf(nu[k]) : ColorOf(counts[k]));
    }
}

} // namespace vistal
