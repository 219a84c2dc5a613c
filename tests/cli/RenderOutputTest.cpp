// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliOptions.h"
#include "cli/ProgressBar.h"
#include "support/ImageReaders.h"
#include "support/RenderSupport.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

using namespace vistal;
using vistal::test::Render;
using vistal::test::RunResult;

TEST(RenderOutput, TypeFollowsTheExtensionInAnyCase) {
    test::TempDir dir;
    TVistal v;
    v.SetWidth(21);
    v.SetHeight(13);
    v.Draw();

    RunResult r = Render({"--size", "21x13", "-o", dir.File("a.PNG")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(test::ReadPng(dir.File("a.PNG")), v.GetImage());
    EXPECT_EQ(r.out, "vistal-render: wrote " + dir.File("a.PNG") + " (21x13)\n");
    EXPECT_EQ(r.err, "");

    for (const char* name : {"b.jpeg", "c.Jpg"}) {
        r = Render({"--size", "21x13", "-o", dir.File(name)});
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(test::ReadJpeg(dir.File(name)).Width(), 21) << name;
    }
}

TEST(RenderOutput, EffectsGiveWhatGetImageGives) {
    test::TempDir dir;
    RunResult r = Render({"--size", "31x17", "--shade-off", "--brightness", "0.3", "-o", dir.File("e.png")});
    ASSERT_EQ(r.status, 0) << r.err;
    TVistal v;
    v.SetWidth(31);
    v.SetHeight(17);
    v.SetBrightnessRaite(0.3);
    v.ShadeOff = true;
    v.Draw();
    EXPECT_EQ(test::ReadPng(dir.File("e.png")), v.GetImage());
    EXPECT_NE(v.GetImage(), v.DrawBitmap());

    // The ratio is clamped as the engine clamps it.
    r = Render({"--size", "5x4", "--brightness", "7", "-o", dir.File("white.bmp")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(test::ReadBmp24(dir.File("white.bmp")), TBitmap(5, 4, 0xFFFFFF));
    r = Render({"--size", "5x4", "--brightness=-1", "-o", dir.File("black.bmp")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(test::ReadBmp24(dir.File("black.bmp")), TBitmap(5, 4, 0));
}

TEST(RenderOutput, BadTypesAndRatiosExitTwo) {
    test::TempDir dir;
    const std::vector<std::pair<std::vector<std::string>, std::string>> bad = {
        {{"-o", dir.File("x.tiff")}, "'.tiff'"},
        {{"-o", dir.File("x.png.gz")}, "'.gz'"},
        {{"-o", dir.File("x")}, "no picture type"},
        {{"-o", dir.File("x.bmp"), "--brightness", "bright"}, "--brightness"},
        {{"-o", dir.File("x.bmp"), "--brightness", "nan"}, "--brightness"},
        {{"-o", dir.File("x.bmp"), "--brightness"}, "--brightness"},
    };
    for (const auto& [args, named] : bad) {
        RunResult r = Render(args);
        EXPECT_EQ(r.status, 2) << named;
        EXPECT_NE(r.err.find(named), std::string::npos) << r.err;
        EXPECT_EQ(r.err.substr(r.err.find('\n') + 1), "Try 'vistal-render --help'.\n") << r.err;
    }
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
}

TEST(RenderOutput, ProgressBarAndQuiet) {
    test::TempDir dir;
    cli::TRenderEnvironment terminal;
    terminal.ErrIsTerminal = true;
    const auto render = [&](const std::vector<std::string>& args,
                            const cli::TRenderEnvironment& environment) {
        std::ostringstream out, err;
        const int status = cli::RunRender(args, out, err, environment);
        return RunResult{status, out.str(), err.str()};
    };
    RunResult r = render({"--size", "40x30", "--progress", "-o", dir.File("p.bmp")}, terminal);
    ASSERT_EQ(r.status, 0) << r.err;
    // On a terminal: one line redrawn in place, finished at 100% with a newline.
    EXPECT_EQ(r.err.rfind("\r[", 0), 0u) << r.err;
    EXPECT_NE(r.err.find("  0%"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("100%"), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
    EXPECT_NE(r.out.find("wrote"), std::string::npos);

    // Elsewhere, as a log file gets it: plain lines, no carriage return, and
    // nothing at all unless asked for.
    r = render({"--size", "40x30", "--progress", "-o", dir.File("p.bmp")}, {});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err.find('\r'), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("vistal-render: 100% done in "), std::string::npos) << r.err;
    r = render({"--size", "40x30", "-o", dir.File("p.bmp")}, {});
    EXPECT_EQ(r.err, "");
    // A quick drawing on a terminal leaves no bar behind unless asked for.
    r = render({"--size", "40x30", "-o", dir.File("p.bmp")}, terminal);
    EXPECT_EQ(r.err, "");

    // -q leaves only errors, even with --progress.
    r = render({"--size", "40x30", "-q", "--progress", "-o", dir.File("q.bmp")}, terminal);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "");
    r = Render({"-q", "-o", dir.File("missing/q.bmp")});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("missing/q.bmp"), std::string::npos);
}

TEST(RenderOutput, ProgressLine) {
    using vistal::cli::FormatProgressLine;
    EXPECT_EQ(FormatProgressLine(0, 0), "[..............................]   0%     0.0 s");
    EXPECT_EQ(FormatProgressLine(0.04, 1), "[#.............................]   4%     1.0 s");
    // From 5 % on, the time left at the pace so far.
    EXPECT_EQ(FormatProgressLine(0.5, 1.5), "[###############...............]  50%     1.5 s, 1.5 s left");
    EXPECT_EQ(FormatProgressLine(0.999, 12.24),
              "[#############################.]  99%    12.2 s, 0.0 s left");
    EXPECT_EQ(FormatProgressLine(0.25, 1, "frame 2 of 8"),
              "[#######.......................]  25%     1.0 s, 3.0 s left  frame 2 of 8");
    EXPECT_EQ(cli::FormatProgressNote(30, 3, 0.3, "frame 3 of 10"),
              "vistal-render: 30% done (frame 3 of 10), 3.0 s, about 7.0 s left");
    EXPECT_EQ(FormatProgressLine(1, 3), "[##############################] 100%     3.0 s");
    EXPECT_EQ(FormatProgressLine(7, -1), "[##############################] 100%     0.0 s");
}
