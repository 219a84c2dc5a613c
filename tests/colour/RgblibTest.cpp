// SPDX-License-Identifier: GPL-3.0-or-later
#include "colour/Rgblib.h"
#include "base/UType.h"

#include <gtest/gtest.h>

using namespace vistal;

TEST(Rgb, ComponentsAreClampedAndPacked) {
    TRgb c;
    EXPECT_EQ(c.ToColor(), 0u);
    c.SetRed(300);
    c.SetBlue(-5);
    EXPECT_EQ(c.Red(), 255);
    EXPECT_EQ(c.Blue(), 0);
    c.SetRed(1);
    c.SetGreen(2);
    c.SetBlue(3);
    EXPECT_EQ(c.ToColor(), 0x030201u);
    c.FromColor(0x123456);
    EXPECT_EQ(c.Red(), 0x56);
    EXPECT_EQ(c.Green(), 0x34);
    EXPECT_EQ(c.Blue(), 0x12);
}

TEST(Rgb, FromHex) {
    TRgb c;
    c.FromHex("ff8000");
    EXPECT_EQ(c.Red(), 255);
    EXPECT_EQ(c.Green(), 128);
    EXPECT_EQ(c.Blue(), 0);
    c.FromHex("0A0b0C");
    EXPECT_EQ(c.ToColor(), 0x0C0B0Au);
    EXPECT_THROW(c.FromHex("zz0000"), EConvertError);
    EXPECT_THROW(c.FromHex("ff00"), EConvertError); // no blue pair
    EXPECT_THROW(c.FromHex(""), EConvertError);
    EXPECT_EQ(c.ToColor(), 0x0C0B0Au); // unchanged by a failed conversion
}

TEST(Rgb, YCbCr) {
    TRgb c;
    c.FromYCbCr(0, 0, 1);
    EXPECT_EQ(c.ToColor(), 0xFFFFFFu);
    c.FromYCbCr(0, 0, 0);
    EXPECT_EQ(c.ToColor(), 0u);
    c.FromYCbCr(0, 0.5, 0.5);
    EXPECT_EQ(c.Red(), 255); // 306 clamped
    EXPECT_EQ(c.Green(), 36);
    EXPECT_EQ(c.Blue(), 128);

    TRgb grey;
    grey.FromColor(0x808080);
    EXPECT_NEAR(grey.Cb(), -0.001 * 128 / 255, 1e-12);
    EXPECT_NEAR(grey.Cr(), 0.0, 1e-12);
    TRgb blue;
    blue.FromColor(0xFF0000);
    EXPECT_EQ(blue.Cb(), 0.5 * 255 / 255);
    EXPECT_EQ(blue.Cr(), -0.081 * 255 / 255);
}
