// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/draw/DrawSAntiArea.h"
#include "engine/kernels/SmoothCount.h"
#include "engine/vistal_class.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <vector>

using namespace vistal;

namespace {

bool RowsEqual(const TBitmap& b, int y1, int y2) {
    for (int x = 0; x < b.Width(); ++x)
        if (b.Pixel(x, y1) != b.Pixel(x, y2)) return false;
    return true;
}

// Every pixel computed directly, without the symmetry speed-up.
TBitmap DrawnWithoutHalf(TVistal& v) {
    bool half = v.Half;
    v.Half = false;
    v.Draw();
    v.Half = half;
    return v.DrawBitmap();
}

} // namespace

// Smooth colouring: the normal method colours every pixel by its continuous
// count, search and fade-in end on the same picture, anti-aliasing averages
// four smooth samples, border tracing fills from the border's continuous
// counts (close to the computed ones), and extended normal drawing takes them
// from its cache with the escape radius Escape.
TEST(DrawSmooth, EveryMethodColoursByTheContinuousCount) {
    TVistal v;
    v.SetWidth(97);
    v.SetHeight(61);
    v.SetCenter({-0.75, 0.12});
    v.SetImSpan(0.4);
    v.SetIteration(300);
    v.SetDetail(2);
    v.Smooth = true;
    v.KernelPath = TKernelPath::Scalar;
    const TComplex P = v.GetPointP(), Q = v.GetPointQ();
    const double dx = (Q.Re - P.Re) / 97, dy = (Q.Im - P.Im) / 61;
    const TKernel kernel = v.MakeKernel();
    std::vector<double> re(97), reHalf(97);
    for (int x = 0; x < 97; ++x) {
        re[x] = x * dx + P.Re;
        reHalf[x] = re[x] + dx / 2;
    }
    // The colours of the smooth samples of row y, shifted by half a pixel.
    auto samples = [&](const std::vector<double>& rowRe, double im) {
        std::vector<std::int32_t> counts(97);
        std::vector<double> nu(97);
        kernel.CountRow(rowRe.data(), im, 97, counts.data(), nu.data());
        std::vector<TColor> colours;
        for (double n : nu)
            colours.push_back(v.SmoothColorOf(n));
        return colours;
    };
    v.Draw();
    const TBitmap normal = v.DrawBitmap();
    v.DrawMode = dmSAntiArea;
    v.Draw();
    const TBitmap antiAliased = v.DrawBitmap();
    for (int y = 0; y < 61; ++y) {
        const std::vector<TColor> row = samples(re, y * dy + P.Im), top = samples(reHalf, y * dy + P.Im),
                                  left = samples(re, (y + 0.5) * dy + P.Im),
                                  centre = samples(reHalf, (y + 0.5) * dy + P.Im);
        for (int x = 0; x < 97; ++x)
            ASSERT_EQ(normal.Pixel(x, y), row[x]) << x << "," << y;
        for (int x = 0; x < 97; ++x)
            ASSERT_EQ(antiAliased.Pixel(x, y), MeanOfFourColors(row[x], top[x], left[x], centre[x]));
    }
    for (std::uint8_t mode : {dmSearch, dmFadein}) {
        v.DrawMode = mode;
        v.Draw();
        EXPECT_EQ(v.DrawBitmap(), normal) << int(mode);
    }
    // Wide bands of one count, far from the set.
    v.SetCenter({-0.6, 0.9});
    v.SetImSpan(2.5);
    v.DrawMode = dmNormal;
    v.Draw();
    const TBitmap bands = v.DrawBitmap();
    v.DrawMode = dmBorder;
    v.Draw();
    long long difference = 0, far = 0, filled = 0;
    for (int y = 0; y < 61; ++y)
        for (int x = 0; x < 97; ++x) {
            const TColor a = v.DrawBitmap().Pixel(x, y), b = bands.Pixel(x, y);
            filled += a != b;
            for (int shift = 0; shift <= 16; shift += 8) {
                const int d = std::abs(int(a >> shift & 0xFF) - int(b >> shift & 0xFF));
                difference += d;
                far += d > 8;
            }
        }
    EXPECT_GT(filled, 0);
    EXPECT_LT(double(difference) / (97 * 61 * 3), 0.5);
    EXPECT_LT(far, 97 * 61 * 3 / 200);

    v.DrawMode = dmExtNormal;
    v.SetEscape(1024);
    v.Draw();
    const TSmoothScale scale(1024, 2);
    for (int y = 0; y < 61; ++y)
        for (int x = 0; x < 97; ++x) {
            const ResultCacheCell cell = v.ResultCache().Cell(x, y);
            ASSERT_EQ(v.DrawBitmap().Pixel(x, y), v.SmoothColorOf(SmoothCount(cell.count, cell.z, scale)));
        }
}

TEST(DrawNormal, EveryPixelIsTheColourOfItsKernelCount) {
    TVistal v;
    v.SetWidth(37);
    v.SetHeight(23);
    v.SetCenter({-0.5, 0.3});
    v.SetIteration(100);
    v.Draw();
    const TBitmap& b = v.DrawBitmap();
    ASSERT_EQ(b.Width(), 37);
    ASSERT_EQ(b.Height(), 23);
    TComplex P = v.GetPointP(), Q = v.GetPointQ();
    double dx = (Q.Re - P.Re) / 37, dy = (Q.Im - P.Im) / 23;
    std::int64_t atLimit = 0, near = 0;
    for (int y = 0; y < 23; ++y)
        for (int x = 0; x < 37; ++x) {
            const std::int32_t count = CountMandelbrot2(x * dx + P.Re, y * dy + P.Im, 100);
            ASSERT_EQ(b.Pixel(x, y), v.ColorOf(count)) << x << "," << y;
            atLimit += count == 0;
            near += count >= 50;
        }
    EXPECT_EQ(v.KernelCalls, 37u * 23u);
    EXPECT_FALSE(v.Drawing());
    // The samples against the limit, each once whatever the method and the colouring.
    for (bool smooth : {false, true})
        for (std::uint8_t mode : {dmNormal, dmSearch, dmFadein}) {
            v.Smooth = smooth;
            v.DrawMode = mode;
            v.Draw();
            EXPECT_EQ(v.LimitShare().Samples, 37 * 23) << int(mode) << smooth;
            EXPECT_EQ(v.LimitShare().AtLimit, atLimit) << int(mode) << smooth;
            EXPECT_EQ(v.LimitShare().Near, near) << int(mode) << smooth;
        }
    v.Smooth = false;
    v.DrawMode = dmBorder;
    v.Draw();
    EXPECT_EQ(v.LimitShare().Samples, 0);
}

TEST(DrawNormal, SymmetryComputesTheUpperHalfAndMirrorsTheRest) {
    TVistal v; // 200 x 200 on the real axis
    ASSERT_TRUE(v.CanUseHalf());
    v.Draw();
    EXPECT_EQ(v.KernelCalls, 200u * 101u); // rows 0..100
    const TBitmap& b = v.DrawBitmap();
    EXPECT_TRUE(RowsEqual(b, 101, 99));
    EXPECT_TRUE(RowsEqual(b, 199, 1));
    EXPECT_TRUE(RowsEqual(b, 150, 50));

    // Odd height: rows 0..100 computed, row 101 is the image of row 100.
    v.SetHeight(201);
    v.KernelCalls = 0;
    v.Draw();
    EXPECT_EQ(v.KernelCalls, 200u * 101u);
    EXPECT_TRUE(RowsEqual(v.DrawBitmap(), 101, 100));
    EXPECT_TRUE(RowsEqual(v.DrawBitmap(), 200, 1));

    // Apart from those mirrored rows, the picture is the directly computed one.
    TBitmap mirrored = v.DrawBitmap();
    TBitmap direct = DrawnWithoutHalf(v);
    for (int y = 0; y <= 100; ++y)
        EXPECT_TRUE(std::equal(mirrored.Row(y), mirrored.Row(y) + 200, direct.Row(y)));
}

TEST(DrawNormal, WhenSymmetryApplies) {
    TVistal v;
    EXPECT_TRUE(v.CanUseHalf());
    v.Half = false;
    EXPECT_FALSE(v.CanUseHalf());
    v.Half = true;
    v.SetPow(3);
    EXPECT_FALSE(v.CanUseHalf()); // only exponent 2
    v.SetPow(2);
    v.SetCenter({-0.8, 1e-300});
    EXPECT_FALSE(v.CanUseHalf()); // exact comparison
    v.SetFormula(fmJulia);        // centre (0, 0), constant (-0.8, 1e-300)
    EXPECT_TRUE(v.CanUseHalf());
    v.SetCenter({0.1, 0});
    EXPECT_FALSE(v.CanUseHalf()); // complex constant: the origin only
    v.SetJuliaSeed({0.3, 0});
    EXPECT_TRUE(v.CanUseHalf()); // real constant: the real axis
}

TEST(DrawNormal, JuliaPointReflectionComputesColumnZero) {
    TVistal v;
    v.SetFormula(fmJulia);
    v.SetJuliaSeed({0.3, 0.5});
    v.SetWidth(60);
    v.SetHeight(41);
    v.SetIteration(200);
    ASSERT_TRUE(v.CanUseHalf());
    v.Draw();
    const TBitmap b = v.DrawBitmap();
    const int lastRow = 20;
    EXPECT_EQ(v.KernelCalls, 60u * 21u + 20u); // upper rows plus column 0 below them
    for (int y = lastRow + 1; y < 41; ++y)
        for (int x = 1; x < 60; ++x)
            ASSERT_EQ(b.Pixel(x, y), b.Pixel(60 - x, 41 - y)) << x << "," << y;
    TComplex P = v.GetPointP(), Q = v.GetPointQ();
    double dy = (Q.Im - P.Im) / 41;
    for (int y = lastRow + 1; y < 41; ++y)
        EXPECT_EQ(b.Pixel(0, y), v.ColorOf(CountJulia2(P.Re, y * dy + P.Im, {0.3, 0.5}, 200)));

    // Every pixel of the upper rows and of column 0 equals the direct drawing.
    TBitmap direct = DrawnWithoutHalf(v);
    for (int y = 0; y <= lastRow; ++y)
        EXPECT_TRUE(std::equal(b.Row(y), b.Row(y) + 60, direct.Row(y)));
    for (int y = 0; y < 41; ++y)
        EXPECT_EQ(b.Pixel(0, y), direct.Pixel(0, y));
}

TEST(DrawNormal, TinyPicturesDraw) {
    for (auto [w, h] : {std::pair{1, 1}, {1, 200}, {200, 1}, {2, 2}, {3, 1}}) {
        TVistal v;
        v.SetWidth(w);
        v.SetHeight(h);
        v.Draw();
        EXPECT_EQ(v.DrawBitmap().Width(), w);
        EXPECT_EQ(v.DrawBitmap().Height(), h);
    }
}

TEST(DrawNormal, ColourZeroIsSetAtEveryDrawing) {
    TVistal v;
    v.SetWidth(20);
    v.SetHeight(20);
    v.SetCenter({0, 0});
    v.SetImSpan(0.1); // wholly inside the set
    v.Draw();
    EXPECT_EQ(v.DrawBitmap().Pixel(5, 5), 0u);
    v.SetPaletteColor0(0x0000FF); // as a VCP file whose first colour is red leaves it
    v.SetPaletteStandard();
    v.Draw();
    EXPECT_EQ(v.DrawBitmap().Pixel(5, 5), 0x0000FFu);
    v.SetColor0(0x00FF00);
    v.UseColor0 = true;
    v.Draw();
    EXPECT_EQ(v.DrawBitmap().Pixel(5, 5), 0x00FF00u);
    EXPECT_EQ(v.Palette()[0], 0x00FF00u);
}

TEST(DrawNormal, AbortLeavesFinishedRowsAndNothingBelow) {
    TVistal v;
    v.Half = false;
    v.SetWidth(50);
    v.SetHeight(40);
    v.DrawBitmap().SetSize(50, 40);
    v.DrawBitmap().FillRect(0, 0, 50, 40, 0xABCDEF); // the bitmap is never cleared
    int rows = 0;
    v.PumpHook = [&] {
        EXPECT_TRUE(v.Drawing());
        if (++rows == 6) v.SetDrawing(false);
    };
    EXPECT_THROW(v.Draw(), EAbort);
    EXPECT_FALSE(v.Drawing());
    const TBitmap& b = v.DrawBitmap();
    int untouched = 0;
    for (int x = 0; x < 50; ++x)
        untouched += b.Pixel(x, 5) == 0xABCDEF;
    EXPECT_LT(untouched, 50); // row 5 was drawn
    for (int y = 6; y < 40; ++y)
        for (int x = 0; x < 50; ++x)
            ASSERT_EQ(b.Pixel(x, y), 0xABCDEFu);
}

TEST(DrawNormal, NestedDrawingWinsAndTheOuterOneStops) {
    TVistal v;
    v.SetWidth(30);
    v.SetHeight(30);
    int calls = 0;
    bool nested = false;
    v.PumpHook = [&] {
        ++calls;
        if (calls == 3 && !nested) {
            nested = true;
            v.SetPaletteMono();
            v.Half = false;
            v.Draw(); // runs to completion inside the outer drawing's pump
            EXPECT_FALSE(v.Drawing());
        }
    };
    EXPECT_THROW(v.Draw(), EAbort);
    EXPECT_FALSE(v.Drawing());
    EXPECT_EQ(calls, 3 + 30); // the outer drawing wrote nothing after the nested one

    TVistal reference;
    reference.SetWidth(30);
    reference.SetHeight(30);
    reference.SetPaletteMono();
    reference.Half = false;
    reference.Draw();
    EXPECT_EQ(v.DrawBitmap(), reference.DrawBitmap());
}

// The explorer may change the palette and the detail while a drawing pumps its
// events: the rows drawn after that take the new colours.
TEST(DrawNormal, RowsAfterAPaletteChangeTakeTheNewColours) {
    auto setUp = [](TVistal& v) {
        v.Half = false;
        v.SetWidth(40);
        v.SetHeight(30);
        v.SetIteration(300);
    };
    TVistal before, after, v;
    setUp(before);
    before.Draw();
    setUp(after);
    after.SetPaletteBlue();
    after.SetDetail(3);
    after.Draw();
    setUp(v);
    int rows = 0;
    v.PumpHook = [&] {
        if (++rows != 10) return;
        v.SetPalette(after.Palette(), after.NColors());
        v.SetDetail(3);
    };
    v.Draw();
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x)
            ASSERT_EQ(v.DrawBitmap().Pixel(x, y), (y < 10 ? before : after).DrawBitmap().Pixel(x, y))
                << x << "," << y;
}

TEST(DrawNormal, ErrorsResetDrawing) {
    TVistal v;
    v.SetDetail(0);
    EXPECT_THROW(v.Draw(), ERangeError);
    EXPECT_FALSE(v.Drawing());
}

TEST(DrawNormal, ProgressReachesOne) {
    TVistal v;
    double last = -1;
    bool increasing = true;
    v.PumpHook = [&] {
        increasing = increasing && v.Progress() > last;
        last = v.Progress();
    };
    v.Draw();
    EXPECT_TRUE(increasing);
    EXPECT_EQ(last, 1.0);
}

TEST(DrawMode, StoredCodesExchangeFadeInAndAntiAliasing) {
    EXPECT_EQ(DrawModeToCode(dmFadein), 4);
    EXPECT_EQ(DrawModeToCode(dmSAntiArea), 3);
    for (std::uint8_t m : {0, 1, 2, 5, 6, 7, 8})
        EXPECT_EQ(DrawModeToCode(m), m);
    EXPECT_EQ(DrawModeFromCode(3), dmSAntiArea);
    EXPECT_EQ(DrawModeFromCode(4), dmFadein);
    EXPECT_EQ(DrawModeFromCode(9), dmNormal);
    EXPECT_EQ(DrawModeFromCode(-1), dmNormal);
    EXPECT_EQ(DrawModeFromCode(0), dmNormal);
    for (std::uint8_t m = 0; m <= 8; ++m)
        EXPECT_EQ(DrawModeFromCode(DrawModeToCode(m)), m);
}

// Two engines on one pool, the second drawing inside the first's event
// processing (a preview while the main picture draws): each picture is the
// one it draws alone.
TEST(DrawNormal, EnginesSharingOnePoolDrawNestedAsAlone) {
    const auto setUp = [](TVistal& v, TComplex centre) {
        v.SetWidth(64);
        v.SetHeight(48);
        v.SetCenter(centre);
        v.SetIteration(500);
        v.Threads = 2;
    };
    TVistal main, preview, mainAlone, previewAlone;
    setUp(main, {-0.75, 0.1});
    setUp(mainAlone, {-0.75, 0.1});
    setUp(preview, {0.3, 0.5});
    setUp(previewAlone, {0.3, 0.5});
    mainAlone.Draw();
    previewAlone.Draw();
    preview.ShareWorkers(main);
    int rows = 0;
    main.PumpHook = [&] {
        if (++rows == 10) preview.Draw();
    };
    main.Draw();
    EXPECT_EQ(main.Workers(), preview.Workers());
    EXPECT_EQ(main.DrawBitmap(), mainAlone.DrawBitmap());
    EXPECT_EQ(preview.DrawBitmap(), previewAlone.DrawBitmap());
}
