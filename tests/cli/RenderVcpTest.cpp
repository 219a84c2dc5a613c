// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliOptions.h"
#include "support/RenderSupport.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

using namespace vistal;
using vistal::cli::RunRender;

namespace {

int Render(const std::vector<std::string>& args, std::string& err) {
    std::ostringstream out, errStream;
    const int status = RunRender(args, out, errStream);
    err = errStream.str();
    return status;
}

} // namespace

TEST(RenderVcp, DrawsWithThePaletteFile) {
    test::TempDir dir;
    const std::string vcp = dir.File("Sunset.VCP");
    test::WriteFileBytes(vcp, "FF0000\n#GRAD 0000FF,00FF00,7\n");
    const std::string out = dir.File("out.bmp");
    std::string err;
    ASSERT_EQ(Render({"--size", "40x30", "--palette", vcp, "-o", out}, err), 0) << err;
    EXPECT_EQ(err, "");

    TVistal v;
    v.SetWidth(40);
    v.SetHeight(30);
    v.SetEscape(1024); // the renderer's start-up parameters
    v.DrawCompo = 1;
    v.LoadVcp(vcp);
    v.Draw();
    EXPECT_EQ(test::ReadBmp24(out), v.DrawBitmap());
    EXPECT_EQ(v.DrawBitmap().Pixel(20, 15), 0x0000FFu); // colour 0 is the file's first colour
}

TEST(RenderVcp, FailuresReportAndWriteNothing) {
    test::TempDir dir;
    const std::string out = dir.File("out.bmp");
    std::string err;
    const std::string bad = dir.File("bad.vcp");
    test::WriteFileBytes(bad, "000000\n* two\nnonsense\n");
    EXPECT_EQ(Render({"--palette", bad, "-o", out}, err), 1);
    // FILE:LINE: what is wrong, in the language of --lang, else of the locale.
    EXPECT_EQ(err, "vistal-render: " + bad + ":3: この行は読めません\n");
    EXPECT_EQ(Render({"--lang", "en", "--palette", bad, "-o", out}, err), 1);
    EXPECT_EQ(err, "vistal-render: " + bad + ":3: This line cannot be read.\n");
    EXPECT_EQ(test::RunRenderProgram({"--palette", bad, "-o", out}, "/dev/null", dir.File("err"),
                                     {"LC_ALL=", "LC_MESSAGES=", "LANG=C"}),
              1);
    EXPECT_EQ(test::ReadFileBytes(dir.File("err")),
              "vistal-render: " + bad + ":3: This line cannot be read.\n");
    EXPECT_FALSE(std::filesystem::exists(out));

    // One colour: the warning, then the picture.
    const std::string one = dir.File("one.vcp");
    test::WriteFileBytes(one, "00FF00\n");
    EXPECT_EQ(Render({"--size", "8x8", "--palette", one, "-o", out}, err), 0);
    EXPECT_EQ(err, "vistal-render: " + one + ": 色が１色しかないです。もっと増やして下さい\n");
    EXPECT_TRUE(std::filesystem::exists(out));

    EXPECT_EQ(Render({"--palette", "green", "-o", out}, err), 2);
}

// Palette files of other programs: written from a shipped palette, read back
// by their extension, they draw its picture; --gradient picks a gradient.
TEST(RenderVcp, OtherFormatsReadAndWritten) {
    test::TempDir dir;
    const std::string vcp = VISTAL_SOURCE_DIR "/palettes/sunset.vcp";
    std::string err;
    ASSERT_EQ(Render({"--size", "40x30", "--palette", vcp, "--write-palette", dir.File("s.map"), "-o",
                      dir.File("vcp.bmp")},
                     err),
              0)
        << err;
    std::ostringstream out, errStream;
    ASSERT_EQ(RunRender({"-q", "--palette", vcp, "--write-palette", dir.File("s.gpl")}, out, errStream), 0);
    EXPECT_EQ(out.str() + errStream.str(), "");
    for (const char* twin : {"s.map", "s.gpl"}) {
        ASSERT_EQ(Render({"--size", "40x30", "--palette", dir.File(twin), "-o", dir.File("twin.bmp")}, err),
                  0)
            << err;
        EXPECT_EQ(test::ReadFileBytes(dir.File("twin.bmp")), test::ReadFileBytes(dir.File("vcp.bmp")))
            << twin;
    }

    test::WriteFileBytes(dir.File("g.ugr"),
                         "one { gradient: index=0 color=255 }\ntwo { gradient: index=0 color=65280 }\n");
    ASSERT_EQ(
        Render({"--palette", dir.File("g.ugr"), "--gradient", "two", "--write-palette", dir.File("g.map")},
               err),
        0)
        << err;
    std::string green;
    for (int i = 0; i < 400; ++i)
        green += "  0 255   0\n";
    EXPECT_EQ(test::ReadFileBytes(dir.File("g.map")), green);

    test::WriteFileBytes(dir.File("bad.map"), "0 0 0\n1 2\n");
    EXPECT_EQ(Render({"--palette", dir.File("bad.map"), "-o", dir.File("x.bmp")}, err), 1);
    EXPECT_EQ(err, "vistal-render: " + dir.File("bad.map") + ":2: この行は読めません\n");
    for (const std::vector<std::string>& bad :
         std::vector<std::vector<std::string>>{{"--palette", vcp, "--gradient", "two", "-o", "x.bmp"},
                                               {"--write-palette", "x.ugr"},
                                               {"--write-palette", "x"}})
        EXPECT_EQ(Render(bad, err), 2) << err;
}
