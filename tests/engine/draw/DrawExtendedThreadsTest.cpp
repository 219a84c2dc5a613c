// SPDX-License-Identifier: GPL-3.0-or-later
// Extended drawing with its colouring shared among the worker threads: rows
// long enough to be shared give the plain drawing's pixels (the plain loop on
// one thread) for every way of colouring, on both paths, and stop at the same
// pixel with the same error.
#include "colour/Rgblib.h"
#include "engine/draw/PotentialPainter.h"
#include "engine/vistal_class.h"
#include "support/DrawSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using namespace vistal;
using vistal::test::kUnwritten;

namespace {

struct TSetting {
    std::uint8_t mode, compo, bright, represent, lightDark;
};

std::string Describe(const TSetting& s) {
    return "mode " + std::to_string(s.mode) + " compo " + std::to_string(s.compo) + " bright " +
           std::to_string(s.bright) + " represent " + std::to_string(s.represent) + " light-dark " +
           std::to_string(s.lightDark);
}

void Apply(TVistal& v, const TSetting& s) {
    v.DrawMode = s.mode;
    v.DrawCompo = s.compo;
    v.PotentialBright = s.bright;
    v.Represent = s.represent;
    v.LightDark = s.lightDark;
}

// Every way of colouring: the four drawing modes, mixing, brightness,
// representation and light/dark.
std::vector<TSetting> AllSettings() {
    std::vector<TSetting> all;
    for (std::uint8_t mode = dmExtNormal; mode <= dmPotential3; ++mode)
        for (std::uint8_t compo : {0, 1})
            for (std::uint8_t bright = 0; bright < 4; ++bright)
                for (std::uint8_t represent : {0, 1})
                    for (std::uint8_t lightDark : {0, 1})
                        all.push_back({mode, compo, bright, represent, lightDark});
    return all;
}

struct TDrawn {
    TBitmap bitmap;
    std::vector<double> progress;
    std::string error; // what() of the range error that ended the drawing, if any
    std::uint64_t calls = 0;
};

// What a drawing does at its progress points (their number 1, 2, ...), and
// what is set up before it starts.
struct TScript {
    std::function<void()> setUp;
    std::function<void(int)> pump;
};

// One drawing on the given path and threads, from the cache or computing.
TDrawn DrawOn(TVistal& v, TKernelPath path, int threads, bool compute, const TScript& script = {}) {
    if (script.setUp) script.setUp();
    v.KernelPath = path;
    v.Threads = threads;
    if (compute) v.ClearResultCache();
    v.DrawBitmap().SetSize(v.Width(), v.Height());
    v.DrawBitmap().FillRect(0, 0, v.Width(), v.Height(), kUnwritten);
    TDrawn d;
    v.PumpHook = [&] {
        d.progress.push_back(v.Progress());
        if (script.pump) script.pump(static_cast<int>(d.progress.size()));
    };
    const std::uint64_t calls = v.KernelCalls;
    try {
        v.Draw();
    } catch (const ERangeError& e) {
        d.error = e.what();
    }
    v.PumpHook = nullptr;
    d.bitmap = v.DrawBitmap();
    d.calls = v.KernelCalls - calls;
    return d;
}

// The plain drawing (plain loop, one thread) beside one thread and two
// threads on the fastest path: the same pixels, progress points and error.
void ExpectSameOnEveryThreadCount(TVistal& v, bool compute, const std::string& name,
                                  const TScript& script = {}) {
    const TDrawn plain = DrawOn(v, TKernelPath::Scalar, 1, compute, script);
    for (int threads : {1, 2}) {
        const TDrawn fast = DrawOn(v, TKernelPath::Auto, threads, compute, script);
        EXPECT_EQ(fast.bitmap, plain.bitmap) << name << ", threads " << threads;
        EXPECT_EQ(fast.progress, plain.progress) << name << ", threads " << threads;
        EXPECT_EQ(fast.error, plain.error) << name << ", threads " << threads;
        EXPECT_EQ(fast.calls, plain.calls) << name << ", threads " << threads;
    }
}

// The number of pixels of row y a drawing has written.
int Written(const TBitmap& b, int y) {
    int n = 0;
    for (int x = 0; x < b.Width(); ++x)
        n += b.Pixel(x, y) != kUnwritten;
    return n;
}

} // namespace

TEST(DrawExtendedThreads, EveryWayOfColouringGivesThePlainPixels) {
    static_assert(TPotentialPainter::kMinSplitPixels <= 301, "the rows below must be shared");
    struct TView {
        const char* name;
        std::uint8_t formula;
        TComplex seed, center;
        double span;
        int pow, width, height;
    };
    const TView views[] = {
        {"home", fmMandelbrot, {}, {-0.8, 0.05}, 3, 2, 301, 37},
        {"julia exponent 3", fmJulia, {0.285, 0.01}, {0.1, 0}, 2.5, 3, 263, 29},
    };
    for (const TView& view : views) {
        TVistal v;
        v.SetFormula(view.formula);
        if (view.formula == fmJulia) v.SetJuliaSeed(view.seed);
        v.SetPow(view.pow);
        v.SetCenter(view.center);
        v.SetImSpan(view.span);
        v.SetWidth(view.width);
        v.SetHeight(view.height);
        v.SetIteration(700);
        v.SetEscape(1024);
        v.DrawMode = dmPotential1;
        DrawOn(v, TKernelPath::Scalar, 1, true); // fills the cache
        for (const TSetting& s : AllSettings()) {
            Apply(v, s);
            ExpectSameOnEveryThreadCount(v, false, std::string(view.name) + ", " + Describe(s));
            // And the plain drawing is the pixel rule.
            for (int y = 0; y < view.height; ++y)
                for (int x = 0; x < view.width; ++x)
                    ASSERT_EQ(v.DrawBitmap().Pixel(x, y), test::PotentialRulePixel(v, x, y))
                        << view.name << ", " << Describe(s) << " at " << x << "," << y;
        }
        // The computing path of each method, with a correction, detail and
        // another palette.
        v.SetCorrection(1.5);
        v.SetDetail(3);
        v.SetPaletteBlue();
        for (std::uint8_t mode = dmExtNormal; mode <= dmPotential3; ++mode)
            for (std::uint8_t compo : {0, 1}) {
                Apply(v, {mode, compo, static_cast<std::uint8_t>(mode % 4), compo, 0});
                ExpectSameOnEveryThreadCount(
                    v, true, std::string(view.name) + " computed, " + Describe({mode, compo, 0, 0, 0}));
            }
    }
}

// The palette and the detail are read again after every progress point; the
// correction and the functions hold for the whole drawing.
TEST(DrawExtendedThreads, ChangesFromThePumpTakeEffectAtTheSameRow) {
    TVistal v;
    v.SetWidth(320);
    v.SetHeight(24);
    v.SetCenter({-0.75, 0.1});
    v.SetImSpan(0.4);
    v.SetIteration(600);
    v.SetEscape(1024);
    TScript script;
    script.setUp = [&] {
        v.SetPaletteStandard();
        v.SetDetail(1);
        v.SetCorrection(0);
    };
    script.pump = [&](int point) {
        if (point == 5) v.SetPaletteBlue();
        if (point == 9) v.SetDetail(4);
        if (point == 13) v.SetCorrection(2); // not before the next drawing
    };
    for (std::uint8_t mode : {dmExtNormal, dmPotential1, dmPotential3})
        for (std::uint8_t compo : {0, 1})
            for (bool compute : {true, false}) {
                const TSetting setting{mode, compo, 1, 0, 0};
                Apply(v, setting);
                const TDrawn unchanged = DrawOn(v, TKernelPath::Scalar, 1, compute, {script.setUp, nullptr});
                const TDrawn changed = DrawOn(v, TKernelPath::Scalar, 1, compute, script);
                // Point 5 comes after row 4 on both paths: the change shows from row 5.
                for (int y = 0; y < 24; ++y) {
                    bool same = true;
                    for (int x = 0; x < 320; ++x)
                        same = same && changed.bitmap.Pixel(x, y) == unchanged.bitmap.Pixel(x, y);
                    if (y < 5) {
                        EXPECT_TRUE(same) << Describe(setting) << " row " << y;
                    } else if (y == 5) {
                        EXPECT_FALSE(same) << Describe(setting) << " row " << y;
                    }
                }
                ExpectSameOnEveryThreadCount(
                    v, compute, "pump changes, " + Describe(setting) + (compute ? ", computing" : ", cached"),
                    script);
            }
}

// A pixel that cannot be coloured ends the drawing with its error; the pixels
// left of it are written and none from it on, as in the plain drawing, though
// the threads had coloured pixels to its right.
TEST(DrawExtendedThreads, AnErrorStopsAtTheSamePixel) {
    TVistal v;
    v.SetWidth(400);
    v.SetHeight(30);
    v.SetCenter({0.36, 0.1}); // row 0 leaves the set at about x = 200, mid-row
    v.SetImSpan(0.03);
    v.SetIteration(300);
    for (std::uint8_t mode : {dmPotential1, dmPotential2, dmPotential3})
        for (std::uint8_t compo : {0, 1}) {
            const std::string name = Describe({mode, compo, 0, 0, 0});
            Apply(v, {mode, compo, 0, 0, 0});
            // Detail 0 from the start: the first escaping pixel of row 0
            // (computing path) has no palette entry.
            v.SetEscape(1024);
            v.SetDetail(0);
            const TDrawn first = DrawOn(v, TKernelPath::Scalar, 1, true);
            EXPECT_EQ(first.error, "Detail and the number of colours must be at least 1") << name;
            const int written = Written(first.bitmap, 0);
            EXPECT_GT(written, 100) << name;
            EXPECT_LT(written, 300) << name;
            EXPECT_EQ(Written(first.bitmap, 1), 0) << name;
            ExpectSameOnEveryThreadCount(v, true, name + ", detail 0 from the start");

            // Detail 0 set from the pump: the first escaping pixel of row 5
            // (cached path) has no palette entry.
            v.SetDetail(1);
            DrawOn(v, TKernelPath::Scalar, 1, true);
            TScript script;
            script.setUp = [&] { v.SetDetail(1); };
            script.pump = [&](int point) {
                if (point == 5) v.SetDetail(0);
            };
            const TDrawn detail = DrawOn(v, TKernelPath::Scalar, 1, false, script);
            EXPECT_EQ(detail.error, "Detail and the number of colours must be at least 1") << name;
            EXPECT_EQ(Written(detail.bitmap, 4), 400) << name;
            EXPECT_GT(Written(detail.bitmap, 5), 100) << name;
            EXPECT_LT(Written(detail.bitmap, 5), 300) << name;
            ExpectSameOnEveryThreadCount(v, false, name + ", detail 0", script);
            v.SetDetail(1);
            EXPECT_FALSE(v.Drawing());
        }
}

// A drawing started from the pump of a shared-row drawing runs on the same
// pool to its end; the outer one then stops without writing another pixel.
TEST(DrawExtendedThreads, ANestedDrawingOnTheSamePool) {
    TVistal v;
    v.SetWidth(300);
    v.SetHeight(40);
    v.SetIteration(500);
    v.SetEscape(1024);
    v.DrawMode = dmPotential1;
    v.DrawCompo = 1;
    v.Threads = 2;
    int points = 0;
    v.PumpHook = [&] {
        if (++points != 6) return;
        v.DrawMode = dmPotential2;
        v.DrawCompo = 0;
        v.PotentialBright = 3;
        v.Threads = 3; // the pool grows while the outer drawing holds it
        v.Draw();      // the same view: computes it to the end
    };
    EXPECT_THROW(v.Draw(), EAbort);
    v.PumpHook = nullptr;
    EXPECT_TRUE(v.ResultCacheValid());
    const TBitmap nested = v.DrawBitmap();
    v.KernelPath = TKernelPath::Scalar;
    v.Threads = 1;
    v.ClearResultCache();
    v.Draw();
    EXPECT_EQ(nested, v.DrawBitmap());
}
