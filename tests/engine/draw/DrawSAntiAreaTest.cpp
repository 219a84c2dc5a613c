// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/draw/DrawSAntiArea.h"
#include "engine/vistal_class.h"
#include "support/DrawSupport.h"

#include <gtest/gtest.h>

using namespace vistal;
using test::kUnwritten;

namespace {

TColor Rgb(int r, int g, int b) {
    return TColor(r) | TColor(g) << 8 | TColor(b) << 16;
}

// The anti-aliased colour of pixel (x, y), from four samples counted directly.
TColor ExpectedPixel(const TVistal& v, const test::TDirectCounts& c, int x, int y) {
    const double re = x * c.Dx() + c.P().Re, im = y * c.Dy() + c.P().Im;
    const double hx = c.Dx() / 2, hy = c.Dy() / 2;
    auto colour = [&](double sr, double si) { return v.ColorOf(test::TDirectCounts::CountAt(v, sr, si)); };
    return MeanOfFourColors(colour(re, im), colour(re + hx, im), colour(re, im + hy),
                            colour(re + hx, im + hy));
}

} // namespace

TEST(DrawSAntiArea, ComponentsAreAveragedWithTiesToEven) {
    EXPECT_EQ(MeanOfFourColors(Rgb(255, 0, 0), Rgb(255, 0, 0), 0, 0), Rgb(128, 0, 0)); // 127.5
    EXPECT_EQ(MeanOfFourColors(Rgb(255, 0, 0), 0, 0, 0), Rgb(64, 0, 0));               // 63.75
    // Sums 2, 6 and 10 give 0, 2 and 2; each component on its own.
    EXPECT_EQ(MeanOfFourColors(Rgb(1, 3, 5), Rgb(1, 3, 5), 0, 0), Rgb(0, 2, 2));
    EXPECT_EQ(MeanOfFourColors(Rgb(0, 0, 7), Rgb(0, 0, 7), Rgb(0, 0, 7), Rgb(0, 0, 5)), Rgb(0, 0, 6)); // 6.5
    const TColor c = 0x123456; // four samples of one count: exactly that count's colour
    EXPECT_EQ(MeanOfFourColors(c, c, c, c), c);
}

TEST(DrawSAntiArea, EveryPixelIsTheMeanOfItsFourSamples) {
    for (auto [w, h] : {std::pair{37, 23}, {1, 1}}) {
        TVistal v;
        v.Half = false;
        v.SetWidth(w);
        v.SetHeight(h);
        v.SetCenter({-0.75, 0.1});
        v.SetImSpan(0.4);
        v.DrawMode = dmSAntiArea;
        v.Draw();
        EXPECT_EQ(v.KernelCalls, 4u * w * h);
        const test::TDirectCounts counts(v);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                ASSERT_EQ(v.DrawBitmap().Pixel(x, y), ExpectedPixel(v, counts, x, y)) << x << "," << y;
    }
}

TEST(DrawSAntiArea, SymmetryComputesTheUpperRowsOnly) {
    TVistal v; // the home view on the real axis
    v.SetWidth(40);
    v.SetHeight(31);
    v.DrawMode = dmSAntiArea;
    v.Draw();
    const int lastRow = 15;
    EXPECT_EQ(v.KernelCalls, 4u * 40 * (lastRow + 1));
    const TBitmap& b = v.DrawBitmap();
    const test::TDirectCounts counts(v);
    for (int y = 0; y < 31; ++y)
        for (int x = 0; x < 40; ++x)
            ASSERT_EQ(b.Pixel(x, y), y <= lastRow ? ExpectedPixel(v, counts, x, y) : b.Pixel(x, 31 - y));

    // Under the Julia point reflection column 0 of the lower rows is one sample.
    v.SetFormula(fmJulia);
    v.SetJuliaSeed({0.3, 0.5});
    v.KernelCalls = 0;
    v.Draw();
    EXPECT_EQ(v.KernelCalls, 4u * 40 * (lastRow + 1) + (30 - lastRow));
    const test::TDirectCounts julia(v);
    for (int y = lastRow + 1; y < 31; ++y) {
        EXPECT_EQ(v.DrawBitmap().Pixel(0, y), v.ColorOf(julia(0, y)));
        for (int x = 1; x < 40; ++x)
            ASSERT_EQ(v.DrawBitmap().Pixel(x, y), v.DrawBitmap().Pixel(40 - x, 31 - y));
    }
}

TEST(DrawSAntiArea, AbortLeavesCompleteRowsAboveTheCurrentOne) {
    TVistal v;
    v.Half = false;
    v.SetWidth(30);
    v.SetHeight(20);
    v.DrawMode = dmSAntiArea;
    test::PrefillBitmap(v, kUnwritten);
    int rows = 0;
    v.PumpHook = [&] {
        if (++rows == 7) v.SetDrawing(false);
    };
    EXPECT_THROW(v.Draw(), EAbort);
    EXPECT_FALSE(v.Drawing());
    EXPECT_EQ(v.KernelCalls, 4u * 30 * 7);
    const test::TDirectCounts counts(v);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 30; ++x)
            ASSERT_EQ(v.DrawBitmap().Pixel(x, y), y < 7 ? ExpectedPixel(v, counts, x, y) : kUnwritten);
}
