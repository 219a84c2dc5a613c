// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/TextEncoding.h"
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

// A picture drawn the way the renderer starts: the explorer's start-up parameters.
void StartEngine(TVistal& v, int w, int h) {
    v.SetWidth(w);
    v.SetHeight(h);
    v.SetEscape(1024);
    v.DrawCompo = 1;
}

} // namespace

TEST(RenderLocation, DrawsARecordOrAScenicSpot) {
    test::TempDir dir;
    test::WriteFileBytes(dir.File("Sunset.vcp"), "FF0000\n#GRAD 0000FF,00FF00,7\n");
    const std::string vrp = dir.File("list.vrp");
    test::WriteFileBytes(vrp,
                         EncodeCp932("; おすすめ\r\n"
                                     "T=Vistal,Title=一,Cr=0,Ci=0,W=4\r\n"
                                     "T=Julia,Title=二,Cr=0.1,Ci=0,W=2.5,Jr=-0.8,Ji=0.156,I=300,D=2,DM=7,"
                                     "CM=0,ER=64,VCP=Sunset,CL0U=1,CL0=255\r\n"));
    const std::string out = dir.File("out.bmp");
    std::string err;
    ASSERT_EQ(Render({"--size", "40x30", "--vrp", vrp, "--record", "2", "--vcp-folder", dir.Path().string(),
                      "-o", out},
                     err),
              0)
        << err;

    TVistal v;
    StartEngine(v, 40, 30);
    v.ChangeFormula();
    v.SetJuliaSeed({-0.8, 0.156});
    v.SetCenter({0.1, 0});
    v.SetImSpan(2.5);
    v.SetIteration(300);
    v.SetDetail(2);
    v.LoadVcp(dir.File("Sunset.vcp"));
    v.DrawMode = dmPotential2;
    v.DrawCompo = 0;
    v.SetEscape(64);
    v.UseColor0 = true;
    v.SetColor0(255);
    v.Draw();
    EXPECT_EQ(test::ReadBmp24(out), v.DrawBitmap());

    // The same view from an FSS file; later options still win (here the size).
    const std::string fss = dir.File("spot.fss");
    test::WriteFileBytes(fss,
                         "[Info]\nFormat=1\nAppName=x\n[Data]\nCenterRe=-0.75\nCenterIm=0.1\nImSpan=0.05\n"
                         "Iteration=500\nEscape=2\n");
    ASSERT_EQ(Render({"--fss", fss, "--size", "24x16", "-o", out}, err), 0) << err;
    TVistal f;
    StartEngine(f, 24, 16);
    f.SetCenter({-0.75, 0.1});
    f.SetImSpan(0.1);
    f.SetIteration(500);
    f.Draw();
    EXPECT_EQ(test::ReadBmp24(out), f.DrawBitmap());
}

TEST(RenderLocation, BadLocationsAreReported) {
    test::TempDir dir;
    const std::string out = dir.File("out.bmp");
    const std::string vrp = dir.File("list.vrp");
    test::WriteFileBytes(vrp, "T=Vistal,Title=a,Cr=0,Ci=0,W=1\r\n\r\nT=Vistal,Title=b,Cr=0,Ci=0,W=0\r\n");
    std::string err;
    EXPECT_EQ(Render({"--vrp", vrp, "-o", out}, err), 1);
    EXPECT_EQ(err, "vistal-render: " + vrp + ":3: 幅の値(W)は０より大きくなくてはいけません。\n");
    test::WriteFileBytes(vrp, "T=Vistal,Title=a,Cr=0,Ci=0,W=1\r\n");
    EXPECT_EQ(Render({"--vrp", vrp, "--record", "2", "-o", out}, err), 1);
    EXPECT_EQ(err, "vistal-render: " + vrp + " holds 1 record; there is no record 2\n");
    // A file that cannot be read, for every option naming one: its name and the system's reason.
    for (const std::string option : {"--vrp", "--fss", "--view-from", "--palette"}) {
        EXPECT_EQ(Render({option, dir.File("none.vcp"), "-o", out}, err), 1) << option;
        EXPECT_EQ(err, "vistal-render: " + dir.File("none.vcp") + ": No such file or directory\n") << option;
    }
    EXPECT_EQ(Render({"--fss", dir.Path().string(), "-o", out}, err), 1);
    EXPECT_EQ(err, "vistal-render: " + dir.Path().string() + ": Is a directory\n");
    EXPECT_EQ(Render({"--vrp", vrp, "--vcp-folder", vrp, "-o", out}, err), 1);
    EXPECT_EQ(err, "vistal-render: " + vrp + ": Not a directory\n");
    EXPECT_FALSE(std::filesystem::exists(out));

#ifndef __SANITIZE_ADDRESS__ // whose shadow memory needs more address space than any limit leaves
    // Memory that runs out while the file is read: the program, with 48 MiB to map, reads 60 MiB.
    const std::string big = dir.File("big.fss");
    test::WriteFileBytes(big, "");
    std::filesystem::resize_file(big, 60 << 20);
    EXPECT_EQ(test::RunRenderProgram({"--fss", big, "-o", out}, "/dev/null", dir.File("err"), {}, 48 << 20),
              1);
    EXPECT_EQ(test::ReadFileBytes(dir.File("err")),
              "vistal-render: out of memory while reading " + big + "\n");
#endif

    EXPECT_EQ(Render({"--record", "1", "-o", out}, err), 2);
    EXPECT_EQ(Render({"--vrp", vrp, "--record", "0", "-o", out}, err), 2);
    EXPECT_EQ(Render({"--vrp", vrp, "--fss", vrp, "-o", out}, err), 2);
}
