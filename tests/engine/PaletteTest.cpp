// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/vistal_class.h"

#include <gtest/gtest.h>

using namespace vistal;

namespace {
TColor Rgb(int r, int g, int b) {
    return static_cast<TColor>(r | g << 8 | b << 16);
}
} // namespace

TEST(Palette, Standard) {
    TVistal v;
    v.SetPaletteMono();
    v.SetPaletteStandard();
    const auto& p = v.Palette();
    EXPECT_EQ(v.NColors(), 127);
    ASSERT_EQ(p.size(), 128u);
    EXPECT_EQ(p[0], 0u);
    EXPECT_EQ(p[1], 0x020408u);
    EXPECT_EQ(p[31], 0x3E7CF8u);
    EXPECT_EQ(p[32], 0x408100u);
    EXPECT_EQ(p[64], 0x810200u);
    EXPECT_EQ(p[127], 0xFFFFF8u);
}

TEST(Palette, MonoMakesEveryEscapingPointWhite) {
    TVistal v;
    v.SetPaletteMono();
    EXPECT_EQ(v.NColors(), 1);
    ASSERT_EQ(v.Palette().size(), 2u);
    for (int k : {1, 2, 3, 100, 12345})
        EXPECT_EQ(v.ColorOf(k), 0xFFFFFFu);
    EXPECT_EQ(v.ColorOf(0), 0u);
}

TEST(Palette, Blue) {
    TVistal v;
    v.SetPaletteBlue();
    const auto& p = v.Palette();
    EXPECT_EQ(v.NColors(), 255);
    ASSERT_EQ(p.size(), 256u);
    EXPECT_EQ(p[0], 0u);
    EXPECT_EQ(p[1], Rgb(3, 37, 218));
    EXPECT_EQ(p[64], Rgb(76, 11, 245));
    EXPECT_EQ(p[128], Rgb(128, 129, 255));
    EXPECT_EQ(p[191], Rgb(180, 245, 245));
    EXPECT_EQ(p[255], Rgb(255, 218, 218));
    for (int i = 1; i <= 255; ++i) {
        EXPECT_GE(p[i] >> 16 & 0xFF, 218u) << i;
        EXPECT_GE(p[i] & 0xFF, 1u) << i;
    }
}

TEST(Palette, CopyAndFit) {
    TVistal a, b;
    a.SetPaletteBlue();
    b.CopyPaletteFrom(a);
    EXPECT_EQ(b.Palette(), a.Palette());
    EXPECT_EQ(b.NColors(), 255);
    EXPECT_EQ(b.DevicePaletteSize(), 0);
    auto before = b.Palette();
    b.FitPaletteToDevice(255); // a true-colour surface keeps every colour
    EXPECT_EQ(b.Palette(), before);
    EXPECT_THROW(b.FitPaletteToDevice(256), ERangeError);
    EXPECT_THROW(b.SetPalette({1, 2}, 2), ERangeError);
    EXPECT_THROW(b.SetPalette({1, 2}, 0), ERangeError);
    EXPECT_EQ(b.NColors(), 255);
}

// A continuous count runs linearly between neighbouring cycling colours,
// components rounded ties to even; a whole count is its stepped colour.
TEST(Palette, SmoothColoursInterpolate) {
    TVistal v;
    v.SetPalette({Rgb(9, 9, 9), Rgb(0, 0, 0), Rgb(10, 20, 255), Rgb(200, 101, 0)}, 3);
    EXPECT_EQ(v.SmoothColorOf(0), Rgb(9, 9, 9));
    for (std::int32_t k = 1; k <= 7; ++k)
        EXPECT_EQ(v.SmoothColorOf(k), v.ColorOf(k)) << k;
    EXPECT_EQ(v.SmoothColorOf(1.5), Rgb(105, 60, 128)); // 60.5 and 127.5 go to the even neighbour
    EXPECT_EQ(v.SmoothColorOf(2.25), Rgb(150, 76, 0));  // from the last colour around to the first
    v.SetDetail(2);                                     // two counts from one colour to the next
    EXPECT_EQ(v.SmoothColorOf(2), v.ColorOf(2));
    EXPECT_EQ(v.SmoothColorOf(3), Rgb(105, 60, 128));
    v.SetDetail(0);
    EXPECT_THROW(v.SmoothColorOf(1.5), ERangeError);
}
