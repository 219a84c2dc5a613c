// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/vistal_class.h"
#include "support/DrawSupport.h"

#include <gtest/gtest.h>

using namespace vistal;
using test::kUnwritten;

namespace {

// First row and column of the four passes.
constexpr int kPass[4][2] = {{0, 0}, {1, 1}, {1, 0}, {0, 1}};

// The picture after `rows` rows of pass `pass` (0-based), earlier passes complete.
TBitmap ExpectedPicture(const TVistal& v, const test::TDirectCounts& counts, int pass, int rows) {
    TBitmap expected(v.Width(), v.Height(), kUnwritten);
    for (int p = 0; p <= pass; ++p) {
        int row = 0;
        for (int y = kPass[p][0]; y < v.Height() && (p < pass || row < rows); y += 2, ++row)
            for (int x = kPass[p][1]; x < v.Width(); x += 2)
                expected.SetPixel(x, y, v.ColorOf(counts(x, y)));
    }
    return expected;
}

int RowsOfPass(int pass, int height) {
    return (height - kPass[pass][0] + 1) / 2;
}

} // namespace

TEST(DrawFadein, EveryProgressPointShowsThePassesSoFar) {
    // 1 × 1: pixel (0, 0) in pass 1, nothing else; height 1: passes 2 and 3 are empty.
    for (auto [w, h] : {std::pair{9, 7}, {8, 6}, {1, 1}, {6, 1}, {1, 5}}) {
        SCOPED_TRACE(testing::Message() << w << "x" << h);
        TVistal v; // symmetric view with Half set: fade-in ignores it
        v.SetWidth(w);
        v.SetHeight(h);
        v.DrawMode = dmFadein;
        ASSERT_TRUE(v.CanUseHalf());
        test::PrefillBitmap(v, kUnwritten);
        const test::TDirectCounts counts(v);
        int pass = 0, rows = 0, points = 0;
        v.PumpHook = [&] {
            while (RowsOfPass(pass, h) == 0)
                ++pass;
            ++rows;
            ++points;
            ASSERT_EQ(v.DrawBitmap(), ExpectedPicture(v, counts, pass, rows)) << pass << " " << rows;
            if (rows == RowsOfPass(pass, h)) {
                ++pass;
                rows = 0;
            }
        };
        v.Draw();
        EXPECT_EQ(points, 2 * h);
        v.PumpHook = nullptr;
        EXPECT_EQ(v.KernelCalls, std::uint64_t(w) * h);
        EXPECT_EQ(v.DrawBitmap(), test::DrawnWith(v, dmNormal, false));
    }
}

TEST(DrawFadein, AbortKeepsThePassesDone) {
    TVistal v;
    v.SetWidth(30);
    v.SetHeight(20);
    v.DrawMode = dmFadein;
    test::PrefillBitmap(v, kUnwritten);
    const test::TDirectCounts counts(v);
    int points = 0;
    v.PumpHook = [&] {
        if (++points == 10 + 4) v.SetDrawing(false); // pass 1 and four rows of pass 2
    };
    EXPECT_THROW(v.Draw(), EAbort);
    EXPECT_FALSE(v.Drawing());
    EXPECT_EQ(v.DrawBitmap(), ExpectedPicture(v, counts, 1, 4));
    EXPECT_EQ(v.KernelCalls, 150u + 4u * 15u);
}
