// The normal method: every pixel of the rows to compute, top to bottom.
#include "engine/ColorTable.h"
#include "engine/DrawFrame.h"

#include <algorithm>
#include <vector>

namespace vistal {

namespace {

// Sample points counted together when nothing watches the drawing row by row.
constexpr int kGroupPoints = 16384;

} // namespace

void TVistal::DrawNormal(const TKernel& kernel) {
    TDrawFrame f(*this);
    TColorTable colours(*this);
    const int width = f.maxX + 1;
    // Without an event pump nothing can look at the picture, the progress or
    // the kernel calls between two rows, so the rows are counted in groups:
    // the orbits of several rows share the lanes and the threads, and the
    // longest orbit of a row no longer holds up the next row. With a pump every
    // row is counted just before its progress point.
    const int groupRows = PumpHook ? 1 : std::max(1, kGroupPoints / width);
    std::vector<double> re(static_cast<std::size_t>(width));
    for (int x = 0; x < width; ++x)
        re[x] = f.PointRe(x);
    std::vector<std::int32_t> counts(static_cast<std::size_t>(width) * std::min(groupRows, f.lastRow + 1));
    std::vector<TComplex> points(groupRows > 1 ? counts.size() : 0);
    for (int y0 = 0; y0 <= f.lastRow; y0 += groupRows) {
        const int rows = std::min(groupRows, f.lastRow + 1 - y0);
        if (rows == 1) {
            kernel.CountRow(re.data(), f.PointIm(y0), width, counts.data());
        } else {
            for (int k = 0; k < rows; ++k) {
                const double im = f.PointIm(y0 + k);
                for (int x = 0; x < width; ++x)
                    points[static_cast<std::size_t>(k) * width + x] = TComplex{re[x], im};
            }
            kernel.CountPoints(points.data(), rows * width, counts.data());
        }
        for (int k = 0; k < rows; ++k) {
            const int y = y0 + k;
            colours.ColourRow(counts.data() + static_cast<std::size_t>(k) * width, width, drawBitmap_.Row(y));
            f.Progress(double(y + 1) / (f.lastRow + 1));
            colours.Refresh();
        }
    }
    f.MirrorIfHalf();
}

bool TVistal::CanUseHalf() const {
    if (pow_ != 2 || !Half) return false;
    if (formula_ == fmMandelbrot || juliaSeed_.Im == 0) return center_.Im == 0;
    return center_.Re == 0 && center_.Im == 0;
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
    // Column 0 has no image inside the picture: it is computed directly.
    const TComplex P = GetPointP(), Q = GetPointQ();
    const double dy = (Q.Im - P.Im) / height_;
    const TKernel base = MakeKernel();
    const TKernel julia2(TKernelKind::Julia2, iteration_, 2, juliaSeed_, &KernelCalls, base.Path(),
                         workers_.get(), base.Threads());
    std::vector<TComplex> points;
    for (int y = lastRow + 1; y <= maxY; ++y)
        points.push_back({P.Re, y * dy + P.Im});
    std::vector<std::int32_t> counts(points.size());
    julia2.CountPoints(points.data(), rows, counts.data());
    for (int y = lastRow + 1; y <= maxY; ++y)
        drawBitmap_.SetPixel(0, y, ColorOf(counts[y - lastRow - 1]));
}

} // namespace vistal
