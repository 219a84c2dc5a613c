// SPDX-License-Identifier: GPL-3.0-or-later
// The search method: a coarse picture of 16 × 16 blocks, each in the colour of
// its top-left pixel (its count's, or its continuous count's when smooth), refined pass by pass with blocks
// of 8, 4 and 2 and finally single pixels. Every pixel of the rows to compute is counted exactly once.
#include "engine/draw/ColorTable.h"
#include "engine/draw/DrawFrame.h"

#include <vector>

namespace vistal {

void TVistal::DrawBlock(const TKernel& kernel) {
    TDrawFrame f(*this);
    TColorTable colours(*this);
    const int columns = f.maxX + 1;
    const double total = double(columns) * (f.lastRow + 1);
    double done = 0;

    // The columns of the blocks of a row: x = first, first + step, … and their
    // sample points.
    struct TColumns {
        std::vector<int> xs;
        std::vector<double> re;
    };
    auto columnsOf = [&](int first, int step) {
        TColumns c;
        for (int x = first; x <= f.maxX; x += step) {
            c.xs.push_back(x);
            c.re.push_back(f.PointRe(x));
        }
        return c;
    };
    // One pass of blocks of size b: the block rows at ys, each with its columns;
    // a block row is painted left to right once counted. The blocks of one row
    // never overlap, so the order of counting is free.
    auto pass = [&](int b, const std::vector<int>& ys, const std::vector<const TColumns*>& cols) {
        std::vector<TSampleRow> rows;
        for (std::size_t k = 0; k < ys.size(); ++k)
            rows.push_back({cols[k]->re.data(), static_cast<int>(cols[k]->xs.size()), f.PointIm(ys[k])});
        f.CountRows(kernel, rows, [&](std::size_t k, const std::int32_t* counts, const double* nu) {
            const int y = ys[k];
            const std::vector<int>& xs = cols[k]->xs;
            const int n = static_cast<int>(xs.size());
            if (b == 1) {
                TColor* row = drawBitmap_.Row(y);
                for (int i = 0; i < n; ++i)
                    row[xs[i]] = colours.Of(counts, nu, i);
            } else {
                for (int i = 0; i < n; ++i)
                    drawBitmap_.FillRect(xs[i], y, xs[i] + b, y + b, colours.Of(counts, nu, i));
            }
            done += n;
            f.Progress(done / total);
            colours.Refresh();
        });
        f.MirrorIfHalf();
    };

    int b = 16;
    {
        const TColumns all = columnsOf(0, b);
        std::vector<int> ys;
        for (int y = 0; y <= f.lastRow; y += b)
            ys.push_back(y);
        pass(b, ys, std::vector<const TColumns*>(ys.size(), &all));
    }

    // Each further pass halves the block size and counts only the points of its
    // grid that the coarser grid lacks: on a row that is a multiple of the old
    // size, the odd multiples of the new size; on any other row, every multiple.
    // The pass of size 1 is the final one, which writes single pixels.
    while (b > 1) {
        const int old = b;
        b /= 2;
        const TColumns all = columnsOf(0, b), odd = columnsOf(b, old);
        std::vector<int> ys;
        std::vector<const TColumns*> cols;
        for (int y = 0; y <= f.lastRow; y += b) {
            ys.push_back(y);
            cols.push_back(y % old != 0 ? &all : &odd);
        }
        pass(b, ys, cols);
    }
    limitShare_ = colours.Share();
}

} // namespace vistal
