// SPDX-License-Identifier: GPL-3.0-or-later
#include "colour/ImageEffect.h"
#include "engine/vistal_class.h"

#include <gtest/gtest.h>

using namespace vistal;

TEST(GetImage, AppliesBrightnessThenShadeOffAndKeepsTheDrawing) {
    TVistal v;
    v.SetWidth(9);
    v.SetHeight(7);
    v.Draw();
    const TBitmap drawing = v.DrawBitmap();
    EXPECT_EQ(v.GetImage(), drawing);

    v.SetBrightnessRaite(0.3);
    v.ShadeOff = true;
    TBitmap expected = drawing;
    AdjustBrightness(expected, 0.3);
    ShadeOffBitmap(expected);
    EXPECT_EQ(v.GetImage(), expected);
    EXPECT_EQ(v.DrawBitmap(), drawing);

    // The order matters: blurring first gives another picture here.
    TBitmap other = drawing;
    ShadeOffBitmap(other);
    AdjustBrightness(other, 0.3);
    EXPECT_NE(other, expected);

    // Switching the effects off shows the drawing again without redrawing.
    v.SetBrightnessRaite(0);
    v.ShadeOff = false;
    EXPECT_EQ(v.GetImage(), drawing);
}
