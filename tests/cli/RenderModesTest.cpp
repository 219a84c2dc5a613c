// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliOptions.h"
#include "support/RenderSupport.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace vistal;

TEST(RenderModes, EveryBasicMethodDrawsByNameOrNumber) {
    test::TempDir dir;
    const std::vector<std::pair<std::string, std::uint8_t>> modes = {
        {"normal", dmNormal},       {"search", dmSearch}, {"border", dmBorder}, {"fadein", dmFadein},
        {"antialias", dmSAntiArea}, {"3", dmFadein},      {"4", dmSAntiArea},   {"BORDER", dmBorder},
    };
    for (const auto& [name, mode] : modes) {
        const std::string file = dir.File(name + ".bmp");
        const auto r = test::Render({"--size", "41x30", "--mode", name, "--stats", "-o", file});
        ASSERT_EQ(r.status, 0) << r.err;

        TVistal v;
        v.SetWidth(41);
        v.SetHeight(30);
        v.DrawMode = mode;
        v.Draw();
        EXPECT_EQ(test::ReadBmp24(file), v.DrawBitmap()) << name;
        EXPECT_EQ(r.err, "kernel calls: " + std::to_string(v.KernelCalls) + "\n") << name;
    }
    EXPECT_EQ(cli::ParseRenderOptions({"--mode", "2", "-o", "x.bmp"}).mode, dmBorder);
    EXPECT_FALSE(cli::ParseRenderOptions({"-o", "x.bmp"}).stats);
    EXPECT_THROW(cli::ParseRenderOptions({"--mode", "9", "-o", "x.bmp"}), cli::ECommandLine);
}
