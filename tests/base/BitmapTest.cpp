// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/Bitmap.h"

#include <gtest/gtest.h>

using namespace vistal;

TEST(Bitmap, FillAndCopyAreClipped) {
    TBitmap b(5, 4, 1);
    b.FillRect(-2, 1, 3, 9, 7); // right and bottom edges excluded
    EXPECT_EQ(b.Pixel(0, 1), 7u);
    EXPECT_EQ(b.Pixel(2, 3), 7u);
    EXPECT_EQ(b.Pixel(3, 1), 1u);
    EXPECT_EQ(b.Pixel(0, 0), 1u);
    b.SetPixel(9, 9, 5); // ignored
    EXPECT_EQ(b.Pixel(9, 9), 0xFFFFFFFFu);

    TBitmap src(3, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x)
            src.SetPixel(x, y, static_cast<TColor>(10 * y + x));
    TBitmap dst(4, 4, 99);
    dst.CopyRect(2, 2, src, 0, 0, 3, 3);
    EXPECT_EQ(dst.Pixel(2, 2), 0u);
    EXPECT_EQ(dst.Pixel(3, 3), 11u);
    EXPECT_EQ(dst.Pixel(1, 1), 99u);
    dst.CopyRect(-1, 0, src, 0, 0, 3, 1); // source column 0 falls outside
    EXPECT_EQ(dst.Pixel(0, 0), 1u);
    EXPECT_EQ(dst.Pixel(1, 0), 2u);
}

TEST(Bitmap, ResizeKeepsTheSharedPart) {
    TBitmap b(3, 2, 4);
    b.SetPixel(2, 1, 8);
    b.SetWidth(4);
    EXPECT_EQ(b.Pixel(2, 1), 8u);
    EXPECT_EQ(b.Pixel(3, 1), 0u);
    b.SetHeight(1);
    EXPECT_EQ(b.Height(), 1);
    EXPECT_EQ(b.Pixel(2, 0), 4u);
}

// Pictures of 2 MB and more live in their own aligned mappings: growing,
// shrinking across that size, copying and moving keep every pixel.
TEST(Bitmap, LargePicturesResizeCopyAndMove) {
    TBitmap b(1000, 600, 5); // 2.4 MB
    b.SetPixel(999, 599, 6);
    b.SetSize(1300, 700);
    EXPECT_EQ(b.Pixel(999, 599), 6u);
    EXPECT_EQ(b.Pixel(0, 0), 5u);
    EXPECT_EQ(b.Pixel(1299, 699), 0u);
    b.SetPixel(1299, 699, 7);
    TBitmap copy = b;
    EXPECT_EQ(copy, b);
    b.SetSize(100, 100); // 40 KB
    EXPECT_EQ(b.Pixel(99, 99), 5u);
    TBitmap moved = std::move(copy);
    EXPECT_EQ(moved.Pixel(1299, 699), 7u);
    moved.SetSize(0, 0);
    EXPECT_TRUE(moved.Empty());
}

TEST(Bitmap, Bgr24Rows) {
    TBitmap b(2, 1);
    b.SetPixel(0, 0, 0x00332211); // red 0x11, green 0x22, blue 0x33
    std::uint8_t row[6];
    b.RowToBgr24(0, row);
    EXPECT_EQ(row[0], 0x33);
    EXPECT_EQ(row[1], 0x22);
    EXPECT_EQ(row[2], 0x11);
    TBitmap c(2, 1);
    c.RowFromBgr24(0, row);
    EXPECT_EQ(c, b);
}
