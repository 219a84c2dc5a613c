// The search method: a coarse picture of 16 × 16 blocks, each in the colour of
// its top-left pixel, refined pass by pass with blocks of 8, 4 and 2 and finally
// single pixels. Every pixel of the rows to compute is counted exactly once.
#include "engine/DrawFrame.h"

#include <vector>

namespace vistal {

void TVistal::DrawBlock(const TKernel& kernel) {
    TDrawFrame f(*this);
    const int columns = f.maxX + 1;
    const double total = double(columns) * (f.lastRow + 1);
    std::vector<int> xs(columns);
    std::vector<double> re(columns);
    std::vector<std::int32_t> counts(columns);
    double done = 0;

    // One row of blocks of size b at y, with blocks at x = first, first + step, …:
    // their points are counted in one batch, then painted left to right. The
    // blocks of one row never overlap, so the order of counting is free.
    auto blockRow = [&](int y, int b, int first, int step) {
        int n = 0;
        for (int x = first; x <= f.maxX; x += step) {
            xs[n] = x;
            re[n] = f.PointRe(x);
            ++n;
        }
        kernel.CountRow(re.data(), f.PointIm(y), n, counts.data());
        if (b == 1) {
            TColor* row = drawBitmap_.Row(y);
            for (int i = 0; i < n; ++i)
                row[xs[i]] = ColorOf(counts[i]);
        } else {
            for (int i = 0; i < n; ++i)
                drawBitmap_.FillRect(xs[i], y, xs[i] + b, y + b, ColorOf(counts[i]));
        }
        done += n;
        f.Progress(done / total);
    };

    int b = 16;
    for (int y = 0; y <= f.lastRow; y += b)
        blockRow(y, b, 0, b);
    f.MirrorIfHalf();

    // Each further pass halves the block size and counts only the points of its
    // grid that the coarser grid lacks: on a row that is a multiple of the old
    // size, the odd multiples of the new size; on any other row, every multiple.
    // The pass of size 1 is the final one, which writes single pixels.
    while (b > 1) {
        const int old = b;
        b /= 2;
        for (int y = 0; y <= f.lastRow; y += b) {
            if (y % old != 0)
                blockRow(y, b, 0, b);
            else
                blockRow(y, b, b, old);
        }
        f.MirrorIfHalf();
    }
}

} // namespace vistal
