// SPDX-License-Identifier: GPL-3.0-or-later
// The two stored pictures (support/GoldenPictures.h) drawn on every kernel
// path. Every other drawing test compares the engine with a model built from
// the same plain loop and the same palette, so a change to either would move
// engine and model together; these checksums do not move with them.
#include "engine/StartupParameters.h"
#include "engine/vistal_class.h"
#include "support/GoldenPictures.h"

#include <gtest/gtest.h>

using namespace vistal;
using test::kPotential1Picture;
using test::kStartUpPicture;
using test::PixelChecksum;

TEST(Golden, StartUpPictureOnEveryPath) {
    for (TKernelPath path : {TKernelPath::Scalar, TKernelPath::Auto}) {
        TVistal v;
        ApplyStartupParameters(v);
        v.KernelPath = path;
        v.Draw();
        ASSERT_EQ(v.DrawBitmap().Width(), 200);
        ASSERT_EQ(v.DrawBitmap().Height(), 200);
        EXPECT_EQ(PixelChecksum(v.DrawBitmap()), kStartUpPicture) << KernelPathName(path);
    }
}

TEST(Golden, Potential1MixedWithThePalette) {
    for (TKernelPath path : {TKernelPath::Scalar, TKernelPath::Auto}) {
        TVistal v;
        ApplyStartupParameters(v);
        v.KernelPath = path;
        v.DrawMode = dmPotential1;
        v.Draw();
        EXPECT_EQ(PixelChecksum(v.DrawBitmap()), kPotential1Picture) << KernelPathName(path);
    }
}

// The start-up parameters bring back the start-up picture from any view.
TEST(Golden, StartupParametersResetAChangedEngine) {
    TVistal v;
    v.SetPow(3);
    v.ResetView();
    v.SetCenter({0.25, 0.5});
    v.SetWidth(31);
    v.SetHeight(17);
    v.SetIteration(40);
    v.SetDetail(3);
    v.SetPaletteBlue();
    v.Half = false;
    ApplyStartupParameters(v);
    v.Draw();
    EXPECT_EQ(PixelChecksum(v.DrawBitmap()), kStartUpPicture);
    EXPECT_EQ(v.ZoomFactor(), StartupParameters().ZoomFactor);
    EXPECT_EQ(v.Escape(), 1024);
}
