// SPDX-License-Identifier: GPL-3.0-or-later
// The fade-in method: every pixel counted once, in four interleaved passes over
// a 2 × 2 lattice, so that the whole picture appears at quarter density first and
// then sharpens. It never uses the symmetry speed-up.
#include "engine/draw/ColorTable.h"
#include "engine/draw/DrawFrame.h"

#include <vector>

namespace vistal {

void TVistal::DrawFadein(const TKernel& kernel) {
    TDrawFrame f(*this);
    TColorTable colours(*this);
    // First row and first column of each pass; both step by 2.
    static constexpr int kPasses[4][2] = {{0, 0}, {1, 1}, {1, 0}, {0, 1}};
    const double total = double(f.maxX + 1) * (f.maxY + 1);
    std::vector<double> re(static_cast<std::size_t>(f.maxX) / 2 + 1);
    double done = 0;
    for (const auto& pass : kPasses) {
        const int firstX = pass[1];
        int n = 0;
        for (int x = firstX; x <= f.maxX; x += 2)
            re[n++] = f.PointRe(x);
        std::vector<TSampleRow> rows;
        for (int y = pass[0]; y <= f.maxY; y += 2)
            rows.push_back({re.data(), n, f.PointIm(y)});
        f.CountRows(kernel, rows, [&](std::size_t k, const std::int32_t* counts, const double* nu) {
            TColor* row = drawBitmap_.Row(pass[0] + 2 * static_cast<int>(k));
            for (int i = 0; i < n; ++i)
                row[firstX + 2 * i] = colours.Of(counts, nu, i);
            done += n;
            f.Progress(done / total);
            colours.Refresh();
        });
    }
    limitShare_ = colours.Share();
}

} // namespace vistal
