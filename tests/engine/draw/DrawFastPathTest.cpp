// SPDX-License-Identifier: GPL-3.0-or-later
// Whole drawings on the fast paths and threads against the plain loop on one
// thread: the same pixels, the same kernel calls, the same progress points.
#include "engine/vistal_class.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace vistal;

namespace {

struct TDrawn {
    TBitmap bitmap;
    std::uint64_t calls;
    std::vector<double> progress;
};

TDrawn DrawWith(TVistal& v, TKernelPath path, int threads) {
    v.KernelPath = path;
    v.Threads = threads;
    v.KernelCalls = 0;
    v.ClearResultCache(); // extended drawing would otherwise colour from its cache
    TDrawn d;
    v.PumpHook = [&] { d.progress.push_back(v.Progress()); };
    v.Draw();
    v.PumpHook = nullptr;
    d.bitmap = v.DrawBitmap();
    d.calls = v.KernelCalls;
    return d;
}

void ExpectSameDrawing(TVistal& v, const std::string& name) {
    const TDrawn plain = DrawWith(v, TKernelPath::Scalar, 1);
    for (TKernelPath path : {TKernelPath::Auto, TKernelPath::Generic, TKernelPath::Sse2, TKernelPath::Avx2}) {
        for (int threads : {1, 2, 0}) {
            const TDrawn fast = DrawWith(v, path, threads);
            EXPECT_EQ(fast.bitmap, plain.bitmap)
                << name << " path " << KernelPathName(path) << " threads " << threads;
            EXPECT_EQ(fast.calls, plain.calls) << name;
            EXPECT_EQ(fast.progress, plain.progress) << name;
        }
    }
    // Unobserved (no pump), the normal method counts several rows at a time.
    v.KernelPath = TKernelPath::Auto;
    v.Threads = 0;
    v.KernelCalls = 0;
    v.ClearResultCache();
    v.Draw();
    EXPECT_EQ(v.DrawBitmap(), plain.bitmap) << name << " without a pump";
    EXPECT_EQ(v.KernelCalls, plain.calls) << name << " without a pump";
}

} // namespace

TEST(DrawFastPath, SamePicturesAsThePlainLoop) {
    TVistal v; // the start-up picture: symmetric, 256 iterations
    ExpectSameDrawing(v, "start-up");

    v.Half = false;
    v.SetWidth(157);
    v.SetHeight(99);
    v.SetIteration(4096);
    ExpectSameDrawing(v, "home view 4096");

    v.SetCenter({-0.743643887037151, 0.131825904205330});
    v.SetImSpan(1e-9);
    v.SetIteration(3000);
    ExpectSameDrawing(v, "deep");

    v.SetCenter({-0.1, 0.2});
    v.SetImSpan(0.05); // inside the set
    v.SetIteration(20000);
    ExpectSameDrawing(v, "inside");

    v.SetPow(5);
    v.ResetView();
    v.SetIteration(700);
    ExpectSameDrawing(v, "exponent 5");
}

TEST(DrawFastPath, JuliaSymmetricPicturesAndColumnZero) {
    TVistal v;
    v.SetFormula(fmJulia);
    v.SetJuliaSeed({0.3, 0.5}); // point reflection: column 0 is computed
    v.SetWidth(83);
    v.SetHeight(61);
    v.SetIteration(900);
    ASSERT_TRUE(v.CanUseHalf());
    ExpectSameDrawing(v, "julia point reflection");
    v.SetJuliaSeed({-1.2, 0}); // mirror in the real axis
    ExpectSameDrawing(v, "julia mirror");
    v.SetPow(3);
    ExpectSameDrawing(v, "julia exponent 3");
}

// A drawing started from the pump of another one (re-entry) runs on the same
// engine and pool; the outer one then stops, and the inner picture stays.
TEST(DrawFastPath, NestedDrawingOnTheSamePool) {
    TVistal v;
    v.Threads = 2;
    v.Half = false;
    v.SetWidth(120);
    v.SetHeight(90);
    v.SetIteration(2000);
    int pumps = 0;
    v.PumpHook = [&] {
        if (++pumps != 10) return;
        v.SetCenter({-0.75, 0.1});
        v.SetImSpan(0.3);
        v.Threads = 3; // the pool grows while the outer drawing holds it
        v.Draw();
    };
    EXPECT_THROW(v.Draw(), EAbort);
    v.PumpHook = nullptr;
    const TBitmap nested = v.DrawBitmap();
    v.KernelPath = TKernelPath::Scalar;
    v.Threads = 1;
    v.Draw();
    EXPECT_EQ(nested, v.DrawBitmap());
}

// A colour error (detail 0) ends the drawing at the first escaping pixel on
// every path, with the same rows drawn before it.
TEST(DrawFastPath, ColourErrorsStopAtTheSamePixel) {
    TVistal v;
    v.Half = false;
    v.SetWidth(50);
    v.SetHeight(40);
    v.SetCenter({0, -0.1}); // rows 0..9 lie inside the set (count 0 needs no detail)
    v.SetImSpan(0.5);
    v.SetDetail(0);
    const TColor untouched = 0x123456;
    TBitmap before(50, 40, untouched);
    v.DrawBitmap() = before;
    v.KernelPath = TKernelPath::Scalar;
    v.Threads = 1;
    EXPECT_THROW(v.Draw(), ERangeError);
    const TBitmap plain = v.DrawBitmap();
    // Rows 0..9 are drawn, row 10 up to its first escaping pixel, no more.
    for (int y = 0; y < 40; ++y)
        if (y != 10) {
            ASSERT_EQ(plain.Pixel(25, y), y < 10 ? v.Palette()[0] : untouched) << y;
        }
    v.DrawBitmap() = before;
    v.KernelPath = TKernelPath::Auto;
    v.Threads = 2;
    EXPECT_THROW(v.Draw(), ERangeError);
    EXPECT_EQ(v.DrawBitmap(), plain);
    EXPECT_FALSE(v.Drawing());
}

// Every drawing method, basic and extended, on the fast paths.
TEST(DrawFastPath, EveryMethodGivesThePlainLoopsPicture) {
    for (std::uint8_t mode = dmSearch; mode <= dmPotential3; ++mode) {
        TVistal v;
        v.DrawMode = mode;
        v.SetWidth(71);
        v.SetHeight(52);
        v.SetIteration(1500);
        v.SetEscape(1024);
        v.DrawCompo = mode % 2;
        ExpectSameDrawing(v, "home view, mode " + std::to_string(mode));

        v.SetCenter({-0.743643887037151, 0.131825904205330});
        v.SetImSpan(1e-7);
        ExpectSameDrawing(v, "deep, mode " + std::to_string(mode));

        v.SetFormula(fmJulia);
        v.SetJuliaSeed({0.285, 0.01});
        v.SetPow(3);
        ExpectSameDrawing(v, "julia exponent 3, mode " + std::to_string(mode));

        // Smooth colouring too, where the method draws counts.
        v.Smooth = true;
        ExpectSameDrawing(v, "smooth julia exponent 3, mode " + std::to_string(mode));
        v.SetFormula(fmMandelbrot);
        v.SetPow(2);
        v.SetCenter({-0.743643887037151, 0.131825904205330});
        v.SetImSpan(1e-5);
        ExpectSameDrawing(v, "smooth, mode " + std::to_string(mode));
    }
}
