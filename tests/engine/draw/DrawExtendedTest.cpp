// SPDX-License-Identifier: GPL-3.0-or-later
#include "colour/Rgblib.h"
#include "engine/vistal_class.h"
#include "support/DrawSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

using namespace vistal;

namespace {

struct TView {
    TComplex P;
    double dx, dy;
};

TView ViewOf(const TVistal& v) {
    TComplex P = v.GetPointP(), Q = v.GetPointQ();
    return {P, (Q.Re - P.Re) / v.Width(), (Q.Im - P.Im) / v.Height()};
}

void Prepare(TVistal& v, int width, int height, std::uint8_t mode) {
    v.SetWidth(width);
    v.SetHeight(height);
    v.SetEscape(1024);
    v.DrawMode = mode;
    v.DrawCompo = 0;
}

// The cell the cache should hold for sample (x, y): the extended kernel at
// (P.Re + x·dx, P.Im + y·dy).
ResultCacheCell ExpectedCell(const TVistal& v, int x, int y) {
    const TView w = ViewOf(v);
    ResultCacheCell c;
    if (v.Formula() == fmMandelbrot)
        c.count = IterateMandelbrotExt(w.P.Re + x * w.dx, w.P.Im + y * w.dy, v.Iteration(), v.Pow(),
                                       v.EscapeSquared(), c.z);
    else
        c.count = IterateJuliaExt(w.P.Re + x * w.dx, w.P.Im + y * w.dy, v.JuliaSeed(), v.Iteration(), v.Pow(),
                                  v.EscapeSquared(), c.z);
    return c;
}

std::uint64_t Cells(const TVistal& v) {
    return std::uint64_t(v.Width() + 1) * std::uint64_t(v.Height() + 1);
}

} // namespace

TEST(DrawExtended, PotentialPixelsComeFromTheCellAndItsRightAndLowerNeighbours) {
    TVistal v;
    v.SetFormula(fmJulia);
    v.SetJuliaSeed({-0.12, 0.75});
    v.SetPow(3);
    Prepare(v, 41, 29, dmPotential2);
    v.SetIteration(120);
    v.SetCenter({0.05, -0.1});
    v.SetImSpan(2.5);
    v.Represent = 1;
    v.PotentialBright = 1;
    for (std::uint8_t compo : {0, 1}) {
        v.DrawCompo = compo;
        v.ClearResultCache();
        v.KernelCalls = 0;
        v.Draw();
        EXPECT_EQ(v.KernelCalls, Cells(v)); // every sample once
        EXPECT_TRUE(v.ResultCacheValid());
        ASSERT_EQ(v.ResultCache().Columns(), 42);
        ASSERT_EQ(v.ResultCache().Rows(), 30);
        for (int y = 0; y <= 29; ++y)
            for (int x = 0; x <= 41; ++x) {
                ResultCacheCell expected = ExpectedCell(v, x, y), cell = v.ResultCache().Cell(x, y);
                ASSERT_EQ(cell.count, expected.count) << x << "," << y;
                ASSERT_EQ(cell.z, expected.z) << x << "," << y;
            }
        // The view holds both kinds of border: a non-escaping pixel next to
        // escaping ones, and an escaping pixel whose neighbour did not escape.
        int inside = 0, edge = 0;
        for (int y = 0; y < 29; ++y)
            for (int x = 0; x < 41; ++x) {
                const TColor pixel = v.DrawBitmap().Pixel(x, y);
                ASSERT_EQ(pixel, test::PotentialRulePixel(v, x, y)) << x << "," << y;
                const auto& c = v.ResultCache();
                if (c.Cell(x, y).count == 0 && c.Cell(x + 1, y).count != 0) {
                    ++inside;
                    EXPECT_EQ(pixel, v.ColorOf(0));
                }
                if (c.Cell(x, y).count != 0 && (c.Cell(x + 1, y).count == 0 || c.Cell(x, y + 1).count == 0))
                    ++edge;
            }
        EXPECT_GT(inside, 0);
        EXPECT_GT(edge, 0);
    }
}

TEST(DrawExtended, ColouringAloneRedrawsFromTheCache) {
    TVistal v;
    Prepare(v, 60, 40, dmPotential1);
    v.SetCenter({-0.75, 0.1});
    v.SetImSpan(0.5);
    v.Draw();
    EXPECT_EQ(v.KernelCalls, Cells(v));
    const TBitmap first = v.DrawBitmap();

    v.PotentialBright = 3;
    v.Draw();
    EXPECT_EQ(v.KernelCalls, Cells(v)); // nothing iterated
    EXPECT_NE(v.DrawBitmap(), first);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 60; ++x)
            ASSERT_EQ(v.DrawBitmap().Pixel(x, y), test::PotentialRulePixel(v, x, y));

    // None of the colouring options is part of the cached view.
    v.DrawCompo = 1;
    v.Draw();
    v.Represent = 1;
    v.LightDark = 1;
    v.SetCorrection(1.5);
    v.SetDetail(3);
    v.SetPaletteBlue();
    v.DrawMode = dmPotential3;
    v.Draw();
    v.DrawMode = dmExtNormal;
    v.Draw();
    EXPECT_EQ(v.KernelCalls, Cells(v));

    // Each item of the view is.
    std::uint64_t calls = v.KernelCalls;
    auto recomputes = [&](const char* what) {
        v.Draw();
        EXPECT_EQ(v.KernelCalls - calls, Cells(v)) << what;
        calls = v.KernelCalls;
        v.Draw();
        EXPECT_EQ(v.KernelCalls, calls) << what << " (second drawing)";
    };
    v.SetIteration(300);
    recomputes("Iteration");
    v.SetEscape(2);
    recomputes("Escape");
    v.SetCenter({-0.75, 0.11});
    recomputes("Center");
    v.SetImSpan(0.4);
    recomputes("ImSpan");
    v.SetWidth(50);
    recomputes("Width");
    EXPECT_EQ(v.ResultCache().Columns(), 51);
    v.SetHeight(45);
    recomputes("Height");
    EXPECT_EQ(v.ResultCache().Rows(), 46);
    v.SetPow(4);
    recomputes("Pow");
    v.SetFormula(fmJulia);
    recomputes("Formula");
    v.SetJuliaSeed({0.25, 0.5});
    recomputes("JuliaSeed");

    // A basic drawing drops the cache.
    v.DrawMode = dmNormal;
    v.Draw();
    EXPECT_FALSE(v.ResultCacheValid());
    EXPECT_EQ(v.ResultCache().Columns(), 0);
    v.DrawMode = dmPotential1;
    calls = v.KernelCalls;
    recomputes("after a basic drawing");
}

TEST(DrawExtended, ExtendedNormalDrawsCountsAndKeepsTheExtraRowAndColumn) {
    TVistal v;
    Prepare(v, 400, 200, dmExtNormal);
    v.SetCenter({-0.7, 0.2});
    v.SetEscape(2); // the basic kernels' radius: the same picture as normal drawing
    v.Draw();
    EXPECT_EQ(v.KernelCalls, 401u * 201u);
    const TBitmap extended = v.DrawBitmap();
    v.DrawMode = dmNormal;
    v.Draw();
    EXPECT_EQ(extended, v.DrawBitmap());

    v.SetEscape(1024);
    v.DrawMode = dmExtNormal;
    v.Draw();
    const std::uint64_t calls = v.KernelCalls;
    // The potential drawing finds everything it needs, row 200 included.
    v.DrawMode = dmPotential1;
    v.Draw();
    EXPECT_EQ(v.KernelCalls, calls);
    for (int x = 0; x <= 400; ++x) {
        ResultCacheCell expected = ExpectedCell(v, x, 200), cell = v.ResultCache().Cell(x, 200);
        ASSERT_EQ(cell.count, expected.count) << x;
        ASSERT_EQ(cell.z, expected.z) << x;
    }
    for (int x = 0; x < 400; ++x)
        ASSERT_EQ(v.DrawBitmap().Pixel(x, 199), test::PotentialRulePixel(v, x, 199)) << x;
    // And gives the picture a computing potential drawing gives.
    const TBitmap fromCache = v.DrawBitmap();
    v.ClearResultCache();
    v.Draw();
    EXPECT_EQ(v.KernelCalls, calls + 401u * 201u);
    EXPECT_EQ(fromCache, v.DrawBitmap());
}

TEST(DrawExtended, EscapeRadiusOne) {
    TVistal v;
    Prepare(v, 30, 20, dmExtNormal);
    v.SetEscape(1);
    v.Draw();
    const TView w = ViewOf(v);
    int ones = 0;
    for (int y = 0; y <= 20; ++y)
        for (int x = 0; x <= 30; ++x) {
            const double re = w.P.Re + x * w.dx, im = w.P.Im + y * w.dy; // the first iterate
            if (re * re + im * im >= 1) {
                ASSERT_EQ(v.ResultCache().Cell(x, y).count, 1) << x << "," << y;
                ++ones;
            } else {
                ASSERT_NE(v.ResultCache().Cell(x, y).count, 1) << x << "," << y;
            }
        }
    EXPECT_GT(ones, 0);
}

TEST(DrawExtended, PaletteIndexFromTheBrightness) {
    // Correction 400 makes K infinite: every potential 0, so d = 0 everywhere.
    TVistal v;
    Prepare(v, 30, 20, dmPotential3);
    v.SetCorrection(400);
    v.Draw();
    // Bright1(0) = 1, t = 1: i = NColors, which wraps to entry 1.
    bool escaped = false;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 30; ++x) {
            const bool out = v.ResultCache().Cell(x, y).count != 0;
            escaped |= out;
            ASSERT_EQ(v.DrawBitmap().Pixel(x, y), out ? v.Palette()[1] : v.Palette()[0]);
        }
    EXPECT_TRUE(escaped);
    // Dark: t = 0, i = 1, entry 2.
    v.LightDark = 1;
    v.Draw();
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 30; ++x)
            ASSERT_EQ(v.DrawBitmap().Pixel(x, y),
                      v.ResultCache().Cell(x, y).count != 0 ? v.Palette()[2] : v.Palette()[0]);

    // Mono palette without mixing: every escaped pixel is white, whatever t.
    v.SetCorrection(0);
    v.PotentialBright = 3;
    v.SetPaletteMono();
    for (std::uint8_t mode : {dmPotential1, dmPotential2, dmPotential3}) {
        v.DrawMode = mode;
        v.Draw();
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 30; ++x)
                ASSERT_EQ(v.DrawBitmap().Pixel(x, y), v.ResultCache().Cell(x, y).count != 0 ? 0xFFFFFFu : 0u);
    }
}

TEST(DrawExtended, MixingKeepsTheHueAndTakesTheBrightnessAsLuma) {
    // White count colour (mono palette) at t = 0.5: Bright4(0) = 0, representation 1.
    TVistal v;
    Prepare(v, 30, 20, dmPotential3);
    v.SetPaletteMono();
    v.SetCorrection(400);
    v.PotentialBright = 3;
    v.DrawCompo = 1;
    v.Draw();
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 30; ++x)
            ASSERT_EQ(v.DrawBitmap().Pixel(x, y),
                      v.ResultCache().Cell(x, y).count != 0 ? TColor(127 * 65536 + 128 * 256 + 128) : 0u);
}

TEST(DrawExtended, PotentialBrightOutOfRangeDrawsNothing) {
    for (std::uint8_t mode : {dmExtNormal, dmPotential1}) {
        TVistal v;
        Prepare(v, 20, 10, mode);
        v.DrawBitmap().SetSize(20, 10);
        v.DrawBitmap().FillRect(0, 0, 20, 10, 0x123456);
        v.PotentialBright = 4;
        try {
            v.Draw();
            FAIL() << "no error";
        } catch (const ERangeError& e) {
            EXPECT_STREQ(e.what(), "PotentialBright Error");
        }
        EXPECT_EQ(v.KernelCalls, 0u);
        EXPECT_EQ(v.DrawBitmap(), TBitmap(20, 10, 0x123456));
        EXPECT_FALSE(v.Drawing());
    }
}

// Where the relief cannot be computed (an escape radius whose square is
// infinite lets z overflow: cos(inf) and inf - inf are not numbers, and so
// are correction scales of 0 and infinity) a pixel is shaded as flat ground,
// and the drawing completes.
TEST(DrawExtended, BrightnessThatIsNotANumberIsShadedFlat) {
    for (std::uint8_t mode : {dmPotential1, dmPotential2, dmPotential3}) {
        for (std::uint8_t compo : {0, 1}) {
            for (auto [escape, correction] : {std::pair{1e200, 0.0}, {1024.0, 400.0}, {1024.0, -400.0}}) {
                TVistal v;
                Prepare(v, 40, 30, mode);
                v.SetEscape(escape);
                v.SetCorrection(correction);
                v.DrawCompo = compo;
                v.PotentialBright = 1; // (d + 1) / (√(d² + 2) + √2) is not a number for infinite d
                ASSERT_NO_THROW(v.Draw()) << int(mode) << " " << int(compo) << " " << escape;
                EXPECT_TRUE(v.ResultCacheValid());
                int flat = 0;
                for (int y = 0; y < 30; ++y)
                    for (int x = 0; x < 40; ++x) {
                        ASSERT_EQ(v.DrawBitmap().Pixel(x, y), test::PotentialRulePixel(v, x, y))
                            << x << "," << y;
                        flat += test::PotentialRuleIsFlat(v, x, y);
                    }
                if (escape > 1024) {
                    EXPECT_GT(flat, 0) << int(mode) << " " << int(compo);
                }
            }
        }
    }
}

// The largest iteration limit a user can give: the painter's tables are
// sized without overflow (a view where every point escapes at once).
TEST(DrawExtended, TheLargestIterationLimit) {
    for (std::uint8_t mode : {dmExtNormal, dmPotential1, dmPotential2, dmPotential3}) {
        TVistal v;
        Prepare(v, 12, 9, mode);
        v.SetCenter({10, 10});
        v.SetImSpan(1);
        v.SetIteration(2147483647);
        v.DrawCompo = 1;
        ASSERT_NO_THROW(v.Draw()) << int(mode);
        for (int y = 0; y < 9; ++y)
            for (int x = 0; x < 12; ++x)
                ASSERT_EQ(v.DrawBitmap().Pixel(x, y), test::PotentialRulePixel(v, x, y)) << x << "," << y;
    }
}

TEST(DrawExtended, AnAbortedComputationLeavesTheCacheInvalid) {
    TVistal v;
    Prepare(v, 50, 30, dmPotential1);
    v.DrawBitmap().SetSize(50, 30);
    v.DrawBitmap().FillRect(0, 0, 50, 30, 0x00ABCDEF);
    int rows = 0;
    v.PumpHook = [&] {
        if (++rows == 3) v.SetDrawing(false);
    };
    EXPECT_THROW(v.Draw(), EAbort);
    EXPECT_FALSE(v.Drawing());
    EXPECT_FALSE(v.ResultCacheValid());
    // Rows 0..2 drawn (one row behind the computation), nothing below.
    for (int x = 0; x < 50; ++x) {
        EXPECT_NE(v.DrawBitmap().Pixel(x, 2), 0x00ABCDEFu);
        EXPECT_EQ(v.DrawBitmap().Pixel(x, 3), 0x00ABCDEFu);
    }
    EXPECT_EQ(v.KernelCalls, 51u * 4u);

    v.PumpHook = nullptr;
    v.KernelCalls = 0;
    v.Draw();
    EXPECT_EQ(v.KernelCalls, Cells(v)); // from the start
    EXPECT_TRUE(v.ResultCacheValid());

    // Going back to a view whose cells were partly overwritten by an aborted
    // computation of another view computes again.
    const TBitmap complete = v.DrawBitmap();
    v.SetIteration(400);
    rows = 0;
    v.PumpHook = [&] {
        if (++rows == 3) v.SetDrawing(false);
    };
    EXPECT_THROW(v.Draw(), EAbort);
    v.PumpHook = nullptr;
    v.SetIteration(256);
    EXPECT_FALSE(v.ResultCacheValid());
    v.KernelCalls = 0;
    v.Draw();
    EXPECT_EQ(v.KernelCalls, Cells(v));
    EXPECT_EQ(v.DrawBitmap(), complete);

    // The cached path stops at its progress points too.
    rows = 0;
    v.PumpHook = [&] {
        if (++rows == 2) v.SetDrawing(false);
    };
    v.PotentialBright = 2;
    EXPECT_THROW(v.Draw(), EAbort);
    EXPECT_TRUE(v.ResultCacheValid());
    EXPECT_EQ(v.KernelCalls, Cells(v));
}

TEST(DrawExtended, ANestedDrawingWinsAndLeavesItsCache) {
    TVistal v;
    Prepare(v, 40, 30, dmExtNormal);
    int rows = 0;
    v.PumpHook = [&] {
        if (++rows == 5) {
            v.PumpHook = nullptr;
            v.DrawMode = dmPotential2;
            v.Draw(); // computes the same view to the end
        }
    };
    EXPECT_THROW(v.Draw(), EAbort);
    EXPECT_FALSE(v.Drawing());
    EXPECT_TRUE(v.ResultCacheValid());
    EXPECT_EQ(v.KernelCalls, 41u * 5u + Cells(v));
    // The outer drawing wrote nothing after the inner one.
    const TBitmap inner = v.DrawBitmap();
    v.Draw();
    EXPECT_EQ(v.KernelCalls, 41u * 5u + Cells(v));
    EXPECT_EQ(v.DrawBitmap(), inner);

    // A cache dropped from the pump stops the drawing that was filling it.
    v.SetIteration(500);
    rows = 0;
    v.PumpHook = [&] {
        if (++rows == 2) v.ClearResultCache();
    };
    EXPECT_THROW(v.Draw(), EAbort);
    EXPECT_FALSE(v.Drawing());
    EXPECT_FALSE(v.ResultCacheValid());
}

TEST(DrawExtended, CacheIndexingIsChecked) {
    TVistal v;
    Prepare(v, 5, 4, dmExtNormal);
    v.Draw();
    const TResultCache& c = v.ResultCache();
    EXPECT_NO_THROW(c.Cell(5, 4));
    EXPECT_THROW(c.Cell(6, 0), ERangeError);
    EXPECT_THROW(c.Cell(0, 5), ERangeError);
    EXPECT_THROW(c.Cell(-1, 0), ERangeError);
    v.ClearResultCache();
    EXPECT_THROW(v.ResultCache().Cell(0, 0), ERangeError);
    EXPECT_EQ(v.ResultCache().ValidFor.Width, 0);
}
