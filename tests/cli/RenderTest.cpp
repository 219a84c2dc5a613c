// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/AboutText.h"
#include "cli/CliOptions.h"
#include "support/RenderSupport.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

using namespace vistal;
using vistal::test::Render;
using vistal::test::RunResult;

TEST(Render, WritesTheStartUpPicture) {
    test::TempDir dir;
    const std::string file = dir.File("start.bmp");
    RunResult r = Render({"-o", file});
    ASSERT_EQ(r.status, 0) << r.err;
    TBitmap written = test::ReadBmp24(file);

    TVistal v; // a new engine draws the start-up picture
    v.Draw();
    EXPECT_EQ(written, v.DrawBitmap());
}

TEST(Render, OptionsApplyInOrder) {
    test::TempDir dir;
    const std::string file = dir.File("julia.BMP");
    RunResult r =
        Render({"--size", "31x17", "--formula", "julia", "--julia", "0.3,0.5", "--iterations", "300",
                "--palette", "blue", "--detail", "auto", "--color0", "FF0000", "--no-half", "-o", file});
    ASSERT_EQ(r.status, 0) << r.err;

    TVistal v;
    v.SetFormula(fmJulia);
    v.SetJuliaSeed({0.3, 0.5});
    v.SetWidth(31);
    v.SetHeight(17);
    v.SetIteration(300);
    v.SetPaletteBlue();
    v.AutoDetail();
    v.SetColor0(0x0000FF);
    v.UseColor0 = true;
    v.Half = false;
    v.Draw();
    EXPECT_EQ(test::ReadBmp24(file), v.DrawBitmap());

    // An exponent resets the view before the centre and span are applied.
    const std::string file2 = dir.File("pow.bmp");
    r = Render({"--center", "0.1,0.2", "--power", "3", "--span", "2", "--size", "9x9", "-o", file2});
    ASSERT_EQ(r.status, 0) << r.err;
    TVistal w;
    w.SetPow(3);
    w.ResetView();
    w.SetCenter({0.1, 0.2});
    w.SetImSpan(2);
    w.SetWidth(9);
    w.SetHeight(9);
    w.Draw();
    EXPECT_EQ(test::ReadBmp24(file2), w.DrawBitmap());
}

TEST(Render, SmallAndOddSizes) {
    test::TempDir dir;
    for (std::string size : {"1x1", "1x200", "7x3"}) {
        const std::string file = dir.File("p" + size + ".bmp");
        RunResult r = Render({"--size", size, "-o", file});
        ASSERT_EQ(r.status, 0) << r.err;
        TBitmap b = test::ReadBmp24(file);
        EXPECT_EQ(std::to_string(b.Width()) + "x" + std::to_string(b.Height()), size);
    }
}

TEST(Render, BadCommandLinesExitTwoAndWriteNothing) {
    test::TempDir dir;
    const std::string file = dir.File("x.bmp");
    const std::vector<std::vector<std::string>> bad = {
        {"--size", "0x10", "-o", file},
        {"--iterations", "abc", "-o", file},
        {"--power", "1", "-o", file},
        {"--julia", "0.3,0.5", "-o", file}, // a Mandelbrot view
        {"--center", "1", "-o", file},
        {"--palette", "green", "-o", file},
        {"--color0", "12345", "-o", file},
        {"--adjust-center", "6", "-o", file},
        {"--mode", "sideways", "-o", file},
        {"--bogus", "-o", file},
        {"-o", dir.File("x.gif")},
        {"--size"},
        {},
    };
    for (const auto& args : bad) {
        RunResult r = Render(args);
        EXPECT_EQ(r.status, 2) << (args.empty() ? "" : args[0]);
        // One line naming the problem, then where to look.
        const std::size_t end = r.err.find('\n');
        ASSERT_NE(end, std::string::npos) << r.err;
        EXPECT_EQ(r.err.rfind("vistal-render: ", 0), 0u) << r.err;
        EXPECT_EQ(r.err.substr(end + 1), "Try 'vistal-render --help'.\n") << r.err;
    }
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
}

TEST(Render, FailedWriteLeavesNoFileAndKeepsTheOldOne) {
    test::TempDir dir;
    // Both are known before the drawing, and refused then.
    RunResult r = Render({"-o", dir.File("missing/x.bmp")});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("missing/x.bmp"), std::string::npos) << r.err;

    // A target that cannot be replaced (a folder of that name) is left as it
    // was, and no temporary file stays behind.
    const std::string target = dir.File("keep.bmp");
    std::filesystem::create_directory(target);
    test::WriteFileBytes(target + "/inside", "old");
    r = Render({"-o", target});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(test::ReadFileBytes(target + "/inside"), "old");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}

TEST(Render, HelpAndVersion) {
    RunResult r = Render({"--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("--iterations"), std::string::npos);
    EXPECT_TRUE(r.out.ends_with("\n\n" + ReportingText())) << r.out;
    r = Render({"--version"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.rfind("vistal-render 1.9.0\n", 0), 0u);
    EXPECT_NE(r.out.find("GNU GPL version 3 or later"), std::string::npos) << r.out;
}
