// SPDX-License-Identifier: GPL-3.0-or-later
#include "colour/ImageEffect.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <random>

using namespace vistal;

namespace {

TColor Rgb(int r, int g, int b) {
    return TColor(r) | TColor(g) << 8 | TColor(b) << 16;
}

// The blur written out pixel by pixel from a full copy, as a second opinion on
// the row-wise version.
TBitmap ShadeOffReference(const TBitmap& src) {
    const int w = src.Width(), h = src.Height();
    TBitmap out(w, h);
    auto s = [&](int x, int y, int shift) {
        x = std::min(std::max(x, 0), w - 1);
        y = std::min(std::max(y, 0), h - 1);
        return int((src.Pixel(x, y) >> shift) & 0xFF);
    };
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            TColor c = 0;
            for (int shift : {0, 8, 16}) {
                int sum = s(x, y, shift); // the centre counts twice
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx)
                        sum += s(x + dx, y + dy, shift);
                c |= TColor(sum / 10) << shift;
            }
            out.SetPixel(x, y, c);
        }
    return out;
}

} // namespace

TEST(AdjustBrightness, MovesEachComponentTowardsWhiteOrBlack) {
    TBitmap b(2, 1, Rgb(0, 100, 255));
    AdjustBrightness(b, 0.5);
    EXPECT_EQ(b.Pixel(0, 0), Rgb(128, 178, 255)); // 127.5 and 77.5 round to even
    EXPECT_EQ(b.Pixel(1, 0), Rgb(128, 178, 255));

    b = TBitmap(1, 1, Rgb(0, 100, 255));
    AdjustBrightness(b, -0.5);
    EXPECT_EQ(b.Pixel(0, 0), Rgb(0, 50, 127)); // 255 - Round(127.5)

    // Ratios beyond 1 are clamped: everything white or black.
    TBitmap white = test::RandomBitmap(5, 4, 1), black = white;
    AdjustBrightness(white, 1);
    AdjustBrightness(black, -3);
    EXPECT_EQ(white, TBitmap(5, 4, 0xFFFFFF));
    EXPECT_EQ(black, TBitmap(5, 4, 0));

    // Ratio 0 leaves the picture as it is.
    TBitmap same = test::RandomBitmap(3, 3, 2), before = same;
    AdjustBrightness(same, 0);
    EXPECT_EQ(same, before);
}

TEST(ShadeOffBitmap, SinglePixelsAndEdges) {
    TBitmap one(1, 1, Rgb(17, 200, 255));
    ShadeOffBitmap(one);
    EXPECT_EQ(one.Pixel(0, 0), Rgb(17, 200, 255)); // (v x 10) div 10

    TBitmap dot(5, 5, 0);
    dot.SetPixel(2, 2, 0xFFFFFF);
    ShadeOffBitmap(dot);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 5; ++x) {
            const bool centre = x == 2 && y == 2, near = std::abs(x - 2) <= 1 && std::abs(y - 2) <= 1;
            const int v = centre ? 51 : (near ? 25 : 0);
            EXPECT_EQ(dot.Pixel(x, y), Rgb(v, v, v)) << x << "," << y;
        }

    // Columns of 0 and 100 in the middle of a wider picture.
    TBitmap cols(6, 5, 0);
    cols.FillRect(3, 0, 6, 5, Rgb(100, 100, 100));
    ShadeOffBitmap(cols);
    for (int y = 0; y < 5; ++y) {
        EXPECT_EQ(cols.Pixel(2, y), Rgb(30, 30, 30));
        EXPECT_EQ(cols.Pixel(3, y), Rgb(70, 70, 70));
        EXPECT_EQ(cols.Pixel(0, y), 0u);
        EXPECT_EQ(cols.Pixel(5, y), Rgb(100, 100, 100)); // a uniform area keeps its value
    }
}

TEST(ShadeOffBitmap, MatchesTheMaskOnEveryShape) {
    // One row, one column, two rows and odd sizes exercise every edge case of
    // the three saved rows.
    for (auto [w, h] : {std::pair{1, 7}, {7, 1}, {2, 2}, {3, 2}, {13, 9}}) {
        TBitmap b = test::RandomBitmap(w, h, w * 100 + h);
        TBitmap expected = ShadeOffReference(b);
        ShadeOffBitmap(b);
        EXPECT_EQ(b, expected) << w << "x" << h;
    }
}
