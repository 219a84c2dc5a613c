#include "cli/CliOptions.h"
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
    // The file's name before the palette reader's own message.
    EXPECT_EQ(err, "vistal-render: " + bad + ": 3 行目にｴﾗｰがあります\n");
    EXPECT_FALSE(std::filesystem::exists(out));

    // One colour: the warning, then the picture.
    const std::string one = dir.File("one.vcp");
    test::WriteFileBytes(one, "00FF00\n");
    EXPECT_EQ(Render({"--size", "8x8", "--palette", one, "-o", out}, err), 0);
    EXPECT_EQ(err, "vistal-render: " + one + ": 色が１色しかないです。もっと増やして下さい\n");
    EXPECT_TRUE(std::filesystem::exists(out));

    EXPECT_EQ(Render({"--palette", "green", "-o", out}, err), 2);
}
