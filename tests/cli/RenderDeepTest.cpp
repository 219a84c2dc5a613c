// SPDX-License-Identifier: GPL-3.0-or-later
// The renderer on deep views: positions of any length on the command line and
// in the pictures, files of counts, zoom sequences into the depth, and the
// memory a deep view needs.
#include "cli/CliOptions.h"
#include "colour/ImageText.h"
#include "engine/vistal_class.h"
#include "support/DrawSupport.h"
#include "support/ImageReaders.h"
#include "support/RenderSupport.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace vistal;
using vistal::test::Render;
using vistal::test::RunResult;

namespace {

std::string Deep320() {
    std::string centre = test::ReadFileBytes(test::DeepDataFile("deep320.txt"));
    while (!centre.empty() && centre.back() == '\n')
        centre.pop_back();
    return centre;
}

// N + NF of every pixel is its continuous count (NF 0 where N is 0xFFFFFFFF).
void ExpectFractions(const test::TCountsFile& file, const std::vector<double>& nu) {
    ASSERT_EQ(file.NF.size(), nu.size());
    for (std::size_t i = 0; i < nu.size(); ++i)
        EXPECT_NEAR(file.N[i] == 0xFFFFFFFFu ? file.NF[i] : file.N[i] + double(file.NF[i]), nu[i], 1e-7) << i;
}

} // namespace

// A picture of a deep view keeps its position to 1e-5 of a pixel; drawn
// again from it, a view given to no more digits is the same picture. A file
// of counts holds N and NF for every pixel, N + NF the continuous count,
// with the picture's text.
TEST(RenderDeep, PicturesAndCountsKeepTheWholePosition) {
    test::TempDir dir;
    const std::string centre = Deep320().substr(0, 42) + "e-01," + Deep320().substr(441, 41) + "e-01";
    RunResult r = Render({"--size", "40x30", "--center", centre, "--span", "3e-40", "--iterations", "20000",
                          "--detail", "16", "-o", dir.File("deep.png")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    std::string text = ReadImageTextFile(dir.File("deep.png"))->Texts.at(0);
    EXPECT_NE(text.find(",Cr=-0.7436411822603508819273884133053575013533,"), std::string::npos) << text;
    EXPECT_NE(text.find(",W=3e-40,"), std::string::npos) << text;
    r = Render({"--view-from", dir.File("deep.png"), "-o", dir.File("again.png")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(test::ReadFileBytes(dir.File("again.png")), test::ReadFileBytes(dir.File("deep.png")));

    r = Render({"--size", "40x30", "--center", Deep320(), "--span", "3e-300", "--iterations", "1000000", "-o",
                dir.File("deep.jpg"), "--counts", dir.File("deep.exr")});
    ASSERT_EQ(r.status, 0) << r.err;
    text = ReadImageTextFile(dir.File("deep.jpg"))->Texts.at(0);
    // Digits down to 1e-5 of a pixel: 300 + 2 + 5 after the point.
    const std::size_t ci = text.find(",Ci=0.") + 6;
    const std::string digits = text.substr(ci, text.find(',', ci) - ci);
    EXPECT_EQ(digits.size(), 307u);
    const std::string im = Deep320().substr(Deep320().find(',') + 1);
    EXPECT_EQ(digits.substr(0, 300), im.substr(0, 1) + im.substr(2, 299));
    const test::TCountsFile counts = test::ReadCountsFile(dir.File("deep.exr"));
    EXPECT_EQ(counts.Channels, (std::vector<std::string>{"N", "NF"}));
    EXPECT_EQ(counts.Width, 40);
    EXPECT_EQ(counts.Iterations, 1000000);
    EXPECT_EQ(counts.Text, text);
    TVistal v;
    v.SetWidth(40);
    v.SetHeight(30);
    v.SetIteration(1000000);
    test::SetDeepView(v, Deep320(), "3e-300");
    std::vector<std::int32_t> expected;
    std::vector<double> nu;
    v.CountPixels(expected, &nu);
    EXPECT_EQ(counts.Counts(), expected);
    ExpectFractions(counts, nu);

    // A view on doubles: never-escaping points are 0xFFFFFFFF; extended
    // drawing's counts and final z are those of its escape radius.
    r = Render({"--size", "16x12", "--mode", "ext-normal", "--escape", "2", "-o", dir.File("home.png"),
                "--counts", dir.File("home.exr")});
    ASSERT_EQ(r.status, 0) << r.err;
    TVistal home;
    home.SetWidth(16);
    home.SetHeight(12);
    const test::TDirectCounts direct(home);
    const test::TCountsFile homeCounts = test::ReadCountsFile(dir.File("home.exr"));
    std::vector<std::int32_t> homeExpected;
    home.CountPixels(homeExpected, &nu);
    ExpectFractions(homeCounts, nu);
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 16; ++x)
            EXPECT_EQ(homeCounts.N[y * 16 + x],
                      direct(x, y) == 0 ? 0xFFFFFFFFu : std::uint32_t(direct(x, y)));
}

// --deep and --exact choose the path; a zoom sequence runs from doubles into
// the depth, its last frame the picture of its target.
TEST(RenderDeep, PathsAndZoomSequences) {
    test::TempDir dir;
    const std::vector<std::string> view = {"--size", "24x18", "--center", Deep320(), "--iterations", "20000"};
    const auto picture = [&](std::vector<std::string> args, const std::string& name) {
        args.insert(args.begin(), view.begin(), view.end());
        args.insert(args.end(), {"-o", dir.File(name), "-q"});
        const RunResult r = Render(args);
        EXPECT_EQ(r.status, 0) << r.err;
        return test::ReadBmp24(dir.File(name));
    };
    const TBitmap deep = picture({"--span", "1e-40"}, "deep.bmp");
    EXPECT_EQ(picture({"--span", "1e-40", "--exact"}, "exact.bmp").Width(), 24);
    EXPECT_NE(picture({"--span", "1e-40", "--deep", "never"}, "blocks.bmp"), deep);
    EXPECT_EQ(picture({"--span", "1e-9", "--deep", "never"}, "doubles.bmp"),
              picture({"--span", "1e-9"}, "auto.bmp"));

    RunResult r = Render({"--size", "24x18", "--iterations", "20000", "--frames", "3", "--zoom-to",
                          Deep320() + ",1e-40", "-o", dir.File("f%d.bmp"), "--counts", dir.File("f%d.exr")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(test::ReadBmp24(dir.File("f2.bmp")), deep);
    EXPECT_EQ(test::ReadCountsFile(dir.File("f1.exr")).Width, 24);

    for (const auto& [args, message] : std::vector<std::pair<std::vector<std::string>, std::string>>{
             {{"--deep", "sometimes"}, "--deep: 'sometimes' is not auto, always or never"},
             {{"--exact=20"}, "--exact: '20' is not an integer from 53 to"},
             {{"--span", "1e-400000"}, "--span: '1e-400000' is outside the spans that can be drawn"},
             {{"--frames", "2", "--zoom-to", "0,0,1e-20", "--counts", "c.exr"},
              "--counts: 'c.exr' has no frame"},
         }) {
        std::vector<std::string> all = args;
        all.insert(all.end(), {"-o", dir.File("x%d.png")});
        r = Render(all);
        EXPECT_EQ(r.status, 2);
        EXPECT_NE(r.err.find(message), std::string::npos) << r.err;
    }

    // The reference orbit and tables of a deep view are refused, before any
    // drawing, when they cannot fit: a child with 300 MB left to map.
    const int ended = test::InChild([&] {
        test::LimitAddressSpace(300 << 20);
        std::ostringstream out, err;
        const int status = cli::RunRender({"--size", "16x12", "--center", Deep320(), "--span", "1e-100",
                                           "--iterations", "10000000", "-o", dir.File("big.png")},
                                          out, err);
        const bool named =
            err.str().rfind("vistal-render: --iterations 10000000: a deep view of this iteration "
                            "limit needs 2.2 GiB for its reference orbit and tables",
                            0) == 0;
        return status == 2 && named ? 0 : 1;
    });
    EXPECT_EQ(ended, 0);
}
