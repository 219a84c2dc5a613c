// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/vistal_class.h"
#include "support/DrawSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>
#include <vector>

using namespace vistal;
using test::kUnwritten;

namespace {

// The picture of a search drawing after `done` rows of blocks of size b: those
// rows show blocks of size b, the rows below blocks of the previous size (or the
// unwritten picture during the first pass). Each block has the colour of the
// count at its top-left pixel.
TBitmap ExpectedPicture(const TVistal& v, const test::TDirectCounts& counts, int b, int done) {
    TBitmap expected(v.Width(), v.Height(), kUnwritten);
    for (int y = 0; y < v.Height(); ++y)
        for (int x = 0; x < v.Width(); ++x) {
            int size = y < done * b ? b : 2 * b;
            if (size > 16) continue;
            expected.SetPixel(x, y, v.ColorOf(counts(x - x % size, y - y % size)));
        }
    return expected;
}

} // namespace

TEST(DrawBlock, FirstPassesComputeOnlyTheirNewPoints) {
    TVistal v; // 200 x 200
    v.Half = false;
    v.DrawMode = dmSearch;
    std::vector<std::uint64_t> callsAt;
    v.PumpHook = [&] { callsAt.push_back(v.KernelCalls); };
    v.Draw();
    ASSERT_EQ(callsAt.size(), 13u + 25u + 50u + 100u + 200u); // one point per row of blocks
    EXPECT_EQ(callsAt[12], 13u * 13u);                        // x, y in 0, 16, …, 192
    EXPECT_EQ(callsAt[12 + 25], 13u * 13u + 456u);            // 25 × 25 − 13 × 13 more
    EXPECT_EQ(v.KernelCalls, 40000u);
    EXPECT_EQ(v.Progress(), 1.0);
}

TEST(DrawBlock, EveryProgressPointShowsTheBlocksOfThePassSoFar) {
    // 10 wide: only x = 0 in the first pass, its block covers the full width.
    // The last view is symmetric: rows 0..18 are computed, and after each pass
    // the lower rows are the mirror image of that pass's picture.
    for (auto [w, h, half] :
         {std::tuple{45, 37, false}, {10, 23, false}, {1, 1, false}, {17, 1, false}, {45, 37, true}}) {
        SCOPED_TRACE(testing::Message() << w << "x" << h << (half ? " half" : ""));
        TVistal v;
        v.Half = half;
        v.SetWidth(w);
        v.SetHeight(h);
        v.SetCenter({-0.75, half ? 0 : 0.1});
        v.SetImSpan(0.4);
        v.DrawMode = dmSearch;
        ASSERT_EQ(v.CanUseHalf(), half);
        const int lastRow = half ? h / 2 : h - 1;
        test::PrefillBitmap(v, kUnwritten);
        const test::TDirectCounts counts(v);
        int b = 16, done = 0;
        v.PumpHook = [&] {
            ++done;
            const TBitmap& now = v.DrawBitmap();
            const TBitmap expected = ExpectedPicture(v, counts, b, done);
            for (int y = 0; y <= lastRow; ++y)
                ASSERT_TRUE(std::equal(now.Row(y), now.Row(y) + w, expected.Row(y)))
                    << b << " " << done << " " << y;
            if (b < 16 && done == 1) { // the previous pass, mirrored
                const TBitmap previous = ExpectedPicture(v, counts, 2 * b, h);
                for (int y = lastRow + 1; y < h; ++y)
                    ASSERT_TRUE(std::equal(now.Row(y), now.Row(y) + w, previous.Row(h - y))) << b << " " << y;
            }
            if (done * b > lastRow) { // the pass is complete
                b /= 2;
                done = 0;
            }
        };
        v.Draw();
        EXPECT_EQ(b, 0);
        v.PumpHook = nullptr;
        EXPECT_EQ(v.KernelCalls, std::uint64_t(w) * (lastRow + 1));
        EXPECT_EQ(v.DrawBitmap(), test::DrawnWith(v, dmNormal, half));
    }
}

TEST(DrawBlock, AbortInThePassOfSize4LeavesPartlyRefinedBlocks) {
    TVistal v;
    v.Half = false;
    v.SetWidth(64);
    v.SetHeight(48);
    v.SetCenter({-0.75, 0.1});
    v.SetImSpan(0.4);
    v.DrawMode = dmSearch;
    const test::TDirectCounts counts(v);
    int points = 0;
    const int passOf4 = 3 + 6; // rows of blocks of the passes of size 16 and 8
    v.PumpHook = [&] {
        if (++points == passOf4 + 5) v.SetDrawing(false);
    };
    EXPECT_THROW(v.Draw(), EAbort);
    EXPECT_FALSE(v.Drawing());
    EXPECT_EQ(v.DrawBitmap(), ExpectedPicture(v, counts, 4, 5)); // rows 0..19 in 4 × 4 blocks
}

TEST(DrawBlock, CompletePictureEqualsTheNormalMethod) {
    TVistal v; // the home view, symmetric about the real axis
    v.DrawMode = dmSearch;
    for (int h : {200, 201, 37}) {
        v.SetHeight(h);
        v.KernelCalls = 0;
        TBitmap search = test::DrawnWith(v, dmSearch, true);
        const std::uint64_t calls = v.KernelCalls;
        v.KernelCalls = 0;
        EXPECT_EQ(search, test::DrawnWith(v, dmNormal, true)) << h;
        EXPECT_EQ(calls, v.KernelCalls) << h;
    }

    // Julia set with the point reflection: column 0 of the lower half is computed.
    v.SetFormula(fmJulia);
    v.SetJuliaSeed({0.3, 0.5});
    v.SetWidth(60);
    v.SetHeight(41);
    ASSERT_TRUE(v.CanUseHalf());
    EXPECT_EQ(test::DrawnWith(v, dmSearch, true), test::DrawnWith(v, dmNormal, true));
}
