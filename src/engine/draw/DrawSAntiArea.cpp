// SPDX-License-Identifier: GPL-3.0-or-later
// The simple anti-aliasing method: four samples per pixel (the top-left corner of
// the pixel's cell, the middle of its top edge, the middle of its left edge and
// its centre), each looked up in the palette, and the mean of their colours.
#include "engine/draw/DrawSAntiArea.h"

#include "base/UFormat.h"
#include "colour/Rgblib.h"
#include "engine/draw/DrawFrame.h"

#include <vector>

namespace vistal {

namespace {

int MeanOfFour(int sum) {
    return RoundToInt(sum / 4.0);
}

} // namespace

TColor MeanOfFourColors(TColor a, TColor b, TColor c, TColor d) {
    TRgb s[4], mean;
    s[0].FromColor(a);
    s[1].FromColor(b);
    s[2].FromColor(c);
    s[3].FromColor(d);
    mean.SetRed(MeanOfFour(s[0].Red() + s[1].Red() + s[2].Red() + s[3].Red()));
    mean.SetGreen(MeanOfFour(s[0].Green() + s[1].Green() + s[2].Green() + s[3].Green()));
    mean.SetBlue(MeanOfFour(s[0].Blue() + s[1].Blue() + s[2].Blue() + s[3].Blue()));
    return mean.ToColor();
}

void TVistal::DrawSAntiArea(const TKernel& kernel) {
    TDrawFrame f(*this);
    const double hx = f.dx / 2, hy = f.dy / 2;
    const int columns = f.maxX + 1;
    std::vector<double> re(columns), reHalf(columns);
    for (int x = 0; x <= f.maxX; ++x) {
        re[x] = f.PointRe(x);
        reHalf[x] = re[x] + hx;
    }
    // The four sample grids of a row are counted as four batches.
    // Under smooth colouring each sample takes the colour of its continuous count.
    std::vector<std::int32_t> corner(columns), top(columns), left(columns), centre(columns);
    const std::size_t smoothColumns = Smooth ? static_cast<std::size_t>(columns) : 0;
    std::vector<double> nuCorner(smoothColumns), nuTop(smoothColumns), nuLeft(smoothColumns),
        nuCentre(smoothColumns);
    auto smooth = [&](std::vector<double>& nu) { return Smooth ? nu.data() : nullptr; };
    auto colour = [&](const std::vector<std::int32_t>& counts, const std::vector<double>& nu, int x) {
        return Smooth ? SmoothColorOf(nu[x]) : ColorOf(counts[x]);
    };
    for (int y = 0; y <= f.lastRow; ++y) {
        const double im = f.PointIm(y);
        const double imHalf = im + hy;
        kernel.CountRow(re.data(), im, columns, corner.data(), smooth(nuCorner));
        kernel.CountRow(reHalf.data(), im, columns, top.data(), smooth(nuTop));
        kernel.CountRow(re.data(), imHalf, columns, left.data(), smooth(nuLeft));
        kernel.CountRow(reHalf.data(), imHalf, columns, centre.data(), smooth(nuCentre));
        TColor* row = drawBitmap_.Row(y);
        for (int x = 0; x <= f.maxX; ++x)
            row[x] = MeanOfFourColors(colour(corner, nuCorner, x), colour(top, nuTop, x),
                                      colour(left, nuLeft, x), colour(centre, nuCentre, x));
        f.Progress(double(y + 1) / (f.lastRow + 1));
    }
    // Under the Julia point reflection, column 0 of the lower rows is computed
    // by the symmetry completion with one sample per pixel.
    f.MirrorIfHalf();
}

} // namespace vistal
