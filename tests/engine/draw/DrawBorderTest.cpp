// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/vistal_class.h"
#include "support/DrawSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <vector>

using namespace vistal;
using test::kUnwritten;

namespace {

struct EStop {};

// Border tracing one point at a time, depth first, exactly in the defined order:
// the model the engine's batched method must match pixel for pixel, in its
// kernel calls and at every progress point.
class TBorderModel {
public:
    TBorderModel(TVistal& v, const test::TDirectCounts& counts, int stopAt)
        : v_(v), counts_(counts), bmp_(v.DrawBitmap()), stopAt_(stopAt),
          computed(static_cast<std::size_t>(v.Width()) * v.Height(), false) {
        maxX_ = v.Width() - 1;
        const int maxY = v.Height() - 1;
        lastRow_ = v.CanUseHalf() ? maxY / 2 + maxY % 2 : maxY;
    }

    void Run() {
        buffer_.assign(maxX_ + 1, 0);
        for (int x = 0; x <= maxX_; ++x)
            buffer_[x] = Compute(x, 0);
        int v = 0;
        for (; v + T <= lastRow_; v += T)
            TileRow(v, v + T, false);
        TileRow(v, lastRow_, true);
        if (v_.CanUseHalf()) v_.MirrorHalf(maxX_, v_.Height() - 1, lastRow_);
    }

private:
    TVistal& v_;
    const test::TDirectCounts& counts_;
    TBitmap& bmp_;
    int stopAt_;

public:
    std::uint64_t calls = 0;
    int progressPoints = 0;
    std::vector<bool> computed;

private:
    static constexpr int T = 20;

    std::int32_t Compute(int x, int y) {
        ++calls;
        computed.at(static_cast<std::size_t>(y) * v_.Width() + x) = true;
        std::int32_t c = counts_(x, y);
        bmp_.SetPixel(x, y, v_.ColorOf(c));
        return c;
    }
    std::int32_t& R(int x, int y) { return rec_[x - t_][y - top_]; }
    void Progress() {
        if (++progressPoints == stopAt_) throw EStop();
    }

    void TileRow(int v, int b, bool lastTileRow) {
        const int h = b - v;
        top_ = v;
        t_ = 0;
        for (int i = 0; i <= h; ++i)
            R(0, v + i) = Compute(0, v + i);
        int t = 0;
        for (; t + T <= maxX_; t += T) {
            Tile(t, v, t + T, b, t > 0);
            Progress();
        }
        Tile(t, v, maxX_, b, t > 0);
        if (!lastTileRow) Progress();
    }

    void Tile(int t, int v, int r, int b, bool takeLeft) {
        const int w = r - t, h = b - v;
        if (takeLeft)
            for (int i = 0; i <= h; ++i)
                rec_[0][i] = rec_[T][i];
        t_ = t;
        for (int i = 0; i <= h; ++i)
            R(r, v + i) = Compute(r, v + i);
        for (int x = 1; x <= w; ++x)
            rec_[x][0] = buffer_[t + x];
        if (w == 0) return;
        for (int x = 1; x <= w - 1; ++x)
            buffer_[t + x] = R(t + x, b) = Compute(t + x, b);
        buffer_[t + w] = rec_[w][h];
        Subdivide(t, v, r, b);
    }

    void Subdivide(int x0, int y0, int x1, int y1) {
        if (std::abs(x1 - x0) <= 1 || std::abs(y1 - y0) <= 1) return;
        const std::int32_t c = R(x0, y0);
        bool uniform = true;
        for (int x = x0; x <= x1; ++x)
            uniform = uniform && R(x, y0) == c && R(x, y1) == c;
        for (int y = y0 + 1; y < y1; ++y)
            uniform = uniform && R(x0, y) == c && R(x1, y) == c;
        if (uniform) {
            bmp_.FillRect(x0, y0, x1, y1, v_.ColorOf(c));
            return;
        }
        const int xm = x0 + (x1 - x0) / 2, ym = y0 + (y1 - y0) / 2;
        for (int y = y0 + 1; y <= y1 - 1; ++y)
            R(xm, y) = Compute(xm, y);
        for (int x = x0 + 1; x <= xm - 1; ++x)
            R(x, ym) = Compute(x, ym);
        for (int x = xm + 1; x <= x1 - 1; ++x)
            R(x, ym) = Compute(x, ym);
        Subdivide(x0, y0, xm, ym);
        Subdivide(xm, y0, x1, ym);
        Subdivide(x0, ym, xm, y1);
        Subdivide(xm, ym, x1, y1);
    }

    int maxX_, lastRow_;
    int t_ = 0, top_ = 0;
    std::int32_t rec_[41][41] = {};
    std::vector<std::int32_t> buffer_;
};

using TSetup = std::function<void(TVistal&)>;

void Configure(TVistal& v, const TSetup& setup) {
    setup(v);
    v.DrawMode = dmBorder;
    test::PrefillBitmap(v, kUnwritten);
}

struct TOutcome {
    TBitmap picture;
    std::vector<bool> computed; // the pixels the model computed
};

// Draws with the engine and with the model, both stopping at progress point
// stopAt (0: never), and compares pictures, kernel calls and progress points.
TOutcome ExpectSameAsModel(const TSetup& setup, int stopAt = 0) {
    TVistal engine;
    Configure(engine, setup);
    int points = 0;
    engine.PumpHook = [&] {
        if (++points == stopAt) engine.SetDrawing(false);
    };
    bool aborted = false;
    try {
        engine.Draw();
    } catch (const EAbort&) {
        aborted = true;
    }
    EXPECT_FALSE(engine.Drawing());

    TVistal reference;
    Configure(reference, setup);
    const test::TDirectCounts counts(reference);
    TBorderModel model(reference, counts, stopAt);
    bool stopped = false;
    try {
        model.Run();
    } catch (const EStop&) {
        stopped = true;
    }
    EXPECT_EQ(aborted, stopped);
    EXPECT_EQ(points, model.progressPoints);
    EXPECT_EQ(engine.KernelCalls, model.calls + reference.KernelCalls); // the latter: MirrorHalf's column 0
    EXPECT_EQ(engine.DrawBitmap(), reference.DrawBitmap());
    return {engine.DrawBitmap(), model.computed};
}

void View(TVistal& v, int w, int h, bool half) {
    v.SetWidth(w);
    v.SetHeight(h);
    v.Half = half;
}

} // namespace

TEST(DrawBorder, MatchesTheDefinitionOnManyViews) {
    const std::vector<std::pair<const char*, TSetup>> views = {
        {"home", [](TVistal& v) { View(v, 200, 200, false); }},
        {"home half", [](TVistal& v) { View(v, 200, 200, true); }}, // last tile row of height 0
        {"odd", [](TVistal& v) { View(v, 203, 147, true); }},
        {"detail",
         [](TVistal& v) {
             View(v, 97, 83, false);
             v.SetCenter({-0.7436, 0.1318});
             v.SetImSpan(0.01);
             v.SetIteration(500);
             v.SetDetail(3);
         }},
        {"julia",
         [](TVistal& v) {
             v.SetFormula(fmJulia);
             v.SetJuliaSeed({0.3, 0.5});
             View(v, 60, 41, true);
         }},
        {"cubic",
         [](TVistal& v) {
             v.SetPow(3);
             v.ResetView();
             View(v, 64, 50, true);
         }},
        {"1 wide", [](TVistal& v) { View(v, 1, 45, false); }},
        {"1 high", [](TVistal& v) { View(v, 45, 1, false); }},
        {"2 wide", [](TVistal& v) { View(v, 2, 30, false); }},
        {"1 x 1", [](TVistal& v) { View(v, 1, 1, false); }},
        {"one tile", [](TVistal& v) { View(v, 21, 21, false); }},
        {"tile plus one", [](TVistal& v) { View(v, 22, 22, false); }},
    };
    for (const auto& [name, setup] : views) {
        SCOPED_TRACE(name);
        ExpectSameAsModel(setup);
    }
}

TEST(DrawBorder, AbortLeavesTheTilesDoneSoFar) {
    auto setup = [](TVistal& v) {
        View(v, 97, 83, false);
        v.SetCenter({-0.75, 0.1});
        v.SetImSpan(0.4);
    };
    // 5 tiles per row (4 full ones with a progress point each, then the row's).
    for (int stopAt : {1, 3, 4, 5, 7, 12, 19}) {
        SCOPED_TRACE(stopAt);
        ExpectSameAsModel(setup, stopAt);
    }
}

TEST(DrawBorder, ComputedPixelsHaveTheNormalColour) {
    for (bool half : {false, true}) {
        auto setup = [&](TVistal& e) {
            View(e, 150, 120, half);
            e.SetCenter({-0.75, 0});
            e.SetImSpan(0.6);
        };
        const TOutcome border = ExpectSameAsModel(setup);
        TVistal v;
        setup(v);
        const TBitmap normal = test::DrawnWith(v, dmNormal, false);
        const int lastRow = half ? 60 : 119;
        int filled = 0;
        for (int y = 0; y <= lastRow; ++y)
            for (int x = 0; x < 150; ++x) {
                if (border.computed[y * 150 + x])
                    ASSERT_EQ(border.picture.Pixel(x, y), normal.Pixel(x, y));
                else
                    ++filled;
            }
        EXPECT_GT(filled, 1000) << "the view has regions of equal count";
    }
}

TEST(DrawBorder, ViewInsideTheSetComputesOnlyTileEdges) {
    TVistal v;
    v.Half = false;
    v.SetCenter({-0.2, 0});
    v.SetImSpan(0.1);
    v.SetIteration(1000);
    v.DrawMode = dmBorder;
    v.Draw();
    // Row 0; per tile row: the left edge, then each tile's right column and bottom
    // edge. Tile rows 0..160 of height 20 and 180..199 of 19; tiles likewise.
    const std::uint64_t full = 21 + 9 * (21 + 19) + (21 + 18);
    const std::uint64_t last = 20 + 9 * (20 + 19) + (20 + 18);
    EXPECT_EQ(v.KernelCalls, 200 + 9 * full + last);
    EXPECT_EQ(v.DrawBitmap(), TBitmap(200, 200, v.ColorOf(0)));
}

TEST(DrawBorder, NarrowPicturesComputeEveryPixel) {
    // One count everywhere: only the width keeps rectangles from being filled.
    for (auto [w, h] : {std::pair{1, 45}, {2, 30}}) {
        const TOutcome border = ExpectSameAsModel([&](TVistal& e) {
            View(e, w, h, false);
            e.SetCenter({-0.2, 0});
            e.SetImSpan(0.1);
        });
        for (bool c : border.computed)
            EXPECT_TRUE(c);
    }
}
