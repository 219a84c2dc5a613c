// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliOptions.h"
#include "support/RenderSupport.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

using namespace vistal;
using vistal::cli::ParseRenderOptions;
using vistal::test::Render;

TEST(RenderExtended, PotentialDrawingWithItsOptions) {
    test::TempDir dir;
    const std::string file = dir.File("p.bmp");
    auto r =
        Render({"--size", "48x32", "--mode", "potential2", "--escape", "65536", "--compo", "off", "--bright",
                "4", "--represent", "2", "--light-dark", "2", "--correction", "-0.5", "-o", file});
    ASSERT_EQ(r.status, 0) << r.err;

    TVistal v;
    v.SetEscape(1024); // the explorer's start-up values first
    v.DrawCompo = 1;
    v.SetWidth(48);
    v.SetHeight(32);
    v.DrawMode = dmPotential2;
    v.SetEscape(65536);
    v.DrawCompo = 0;
    v.PotentialBright = 3;
    v.Represent = 1;
    v.LightDark = 1;
    v.SetCorrection(-0.5);
    v.Draw();
    EXPECT_EQ(test::ReadBmp24(file), v.DrawBitmap());

    // The start-up values: escape 1024, mixing on, brightness 1.
    r = Render({"--size", "48x32", "--mode", "6", "-o", file});
    ASSERT_EQ(r.status, 0) << r.err;
    v.SetEscape(1024);
    v.DrawCompo = 1;
    v.PotentialBright = 0;
    v.Represent = 0;
    v.LightDark = 0;
    v.SetCorrection(0);
    v.DrawMode = dmPotential1;
    v.Draw();
    EXPECT_EQ(test::ReadBmp24(file), v.DrawBitmap());
}

TEST(RenderExtended, ModesAndBadValues) {
    auto mode = [](const std::string& m) {
        return ParseRenderOptions({"--mode", m, "-o", "x.bmp"}).mode.value();
    };
    EXPECT_EQ(mode("ext-normal"), dmExtNormal);
    EXPECT_EQ(mode("5"), dmExtNormal);
    EXPECT_EQ(mode("Potential1"), dmPotential1);
    EXPECT_EQ(mode("7"), dmPotential2);
    EXPECT_EQ(mode("potential3"), dmPotential3);
    EXPECT_EQ(ParseRenderOptions({"--escape=1", "-o", "x.bmp"}).escape, 1.0);

    for (const std::vector<std::string>& bad : std::vector<std::vector<std::string>>{{"--mode", "9"},
                                                                                     {"--mode", "potential4"},
                                                                                     {"--escape", "0.999"},
                                                                                     {"--escape", "nan"},
                                                                                     {"--compo", "yes"},
                                                                                     {"--bright", "0"},
                                                                                     {"--bright", "5"},
                                                                                     {"--represent", "3"},
                                                                                     {"--light-dark", "0"},
                                                                                     {"--correction", "inf"},
                                                                                     {"--correction"}}) {
        test::TempDir dir;
        std::vector<std::string> args = bad;
        args.insert(args.begin(), {"-o", dir.File("x.bmp")});
        auto r = Render(args);
        EXPECT_EQ(r.status, 2) << bad[0];
        EXPECT_NE(r.err.find(bad[0]), std::string::npos) << r.err;
        EXPECT_FALSE(std::filesystem::exists(dir.File("x.bmp")));
    }
}

// An escape radius whose square is infinite leaves a relief that cannot be
// computed where z overflowed: those pixels are shaded flat, the picture is written.
TEST(RenderExtended, AnExtremeEscapeRadiusStillDraws) {
    test::TempDir dir;
    auto r =
        Render({"--size", "20x20", "--mode", "potential3", "--escape", "1e200", "-o", dir.File("x.bmp")});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(test::ReadBmp24(dir.File("x.bmp")).Width(), 20);
}
