// SPDX-License-Identifier: GPL-3.0-or-later
// The command line in the GNU forms: values attached or apart, bundled short
// options, abbreviations, "--", operands, and the hint after every error.
#include "cli/CliOptions.h"
#include "support/RenderSupport.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace vistal;
using cli::ParseRenderOptions;
using vistal::test::Render;
using vistal::test::RunResult;

namespace {

// The message of a command line that ParseRenderOptions refuses.
std::string Refusal(const std::vector<std::string>& args) {
    try {
        ParseRenderOptions(args);
    } catch (const cli::ECommandLine& ex) {
        return ex.what();
    }
    return "(accepted)";
}

} // namespace

TEST(RenderCommandLine, GnuFormsGiveTheSameOptions) {
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"--size=64x48", "--output=a.png", "--quiet"},
             {"--size", "64x48", "--output", "a.png", "-q"},
             {"--si=64x48", "--out", "a.png", "--qui"}, // unambiguous prefixes
             {"-qo", "a.png", "--size", "64x48"},
             {"-qoa.png", "--size", "64x48"},
             {"--size", "64x48", "-q", "--", "-o"}, // "--" ends the options: -o is an operand
         }) {
        if (args.back() == "-o") {
            EXPECT_EQ(Refusal(args), "unexpected argument '-o'");
            continue;
        }
        const cli::TRenderOptions o = ParseRenderOptions(args);
        EXPECT_EQ(o.output, "a.png") << args[0];
        EXPECT_EQ(o.width, 64) << args[0];
        EXPECT_TRUE(o.quiet) << args[0];
        EXPECT_EQ(o.outputType, ftPng);
    }
    // A value that needs one takes the next word whatever it is.
    EXPECT_EQ(ParseRenderOptions({"--center", "-0.5,-0.25", "-o", "-x.bmp"}).center->Re, -0.5);
    EXPECT_EQ(ParseRenderOptions({"-o", "-x.bmp"}).output, "-x.bmp");
    // An exact name wins over the longer names it begins.
    EXPECT_EQ(ParseRenderOptions({"--bright", "2", "-o", "a.bmp"}).bright, 1);
    EXPECT_EQ(ParseRenderOptions({"--brightn", "0.5", "-o", "a.bmp"}).brightness, 0.5);
    // --progress takes its value only after "=".
    EXPECT_EQ(ParseRenderOptions({"--progress", "-o", "a.bmp"}).progress, cli::TProgressWhen::Always);
    EXPECT_EQ(ParseRenderOptions({"--progress=never", "-o", "a.bmp"}).progress, cli::TProgressWhen::Never);
    EXPECT_EQ(ParseRenderOptions({"-o", "a.bmp"}).progress, cli::TProgressWhen::Auto);
    // The later of two values wins.
    EXPECT_EQ(ParseRenderOptions({"--detail", "auto", "--detail", "4", "-o", "a.bmp"}).autoDetail, false);
    EXPECT_EQ(ParseRenderOptions({"--detail", "4", "--detail", "auto", "-o", "a.bmp"}).detail, std::nullopt);
    // --help ends the reading where it stands, as GNU programs do.
    EXPECT_TRUE(ParseRenderOptions({"--help", "--bogus"}).help);
}

TEST(RenderCommandLine, ErrorsNameTheWordAndHint) {
    EXPECT_EQ(Refusal({"--bogus", "-o", "a.bmp"}), "--bogus: unknown option");
    EXPECT_EQ(Refusal({"-x", "-o", "a.bmp"}), "-x: unknown option");
    EXPECT_EQ(Refusal({"-qx", "-o", "a.bmp"}), "-x: unknown option");
    EXPECT_EQ(Refusal({"--s", "1", "-o", "a.bmp"}),
              "--s: ambiguous option; it could be --size, --span, --shade-off, --stats, --shard or --smooth");
    EXPECT_EQ(Refusal({"-o"}), "-o: needs a value");
    EXPECT_EQ(Refusal({"-o", "a.bmp", "--size"}), "--size: needs a value");
    EXPECT_EQ(Refusal({"--no-half=yes", "-o", "a.bmp"}), "--no-half: takes no value");
    EXPECT_EQ(Refusal({"--progress=often", "-o", "a.bmp"}),
              "--progress: 'often' is not auto, always or never");
    // A span is a finite number above 0.
    for (const std::string span : {"0", "-0", "-2.5"})
        EXPECT_EQ(Refusal({"--span", span, "-o", "a.bmp"}), "--span: '" + span + "' is not above 0");
    for (const std::string span : {"nan", "inf", "1.2.3"})
        EXPECT_EQ(Refusal({"--span", span, "-o", "a.bmp"}), "--span: '" + span + "' is not a number");
    EXPECT_EQ(Refusal({"--span", "1e999", "-o", "a.bmp"}),
              "--span: '1e999' is outside the spans that can be drawn, about 1e-315652 to 1.8e308");
    // Operands are refused after every option was read, as getopt leaves them.
    EXPECT_EQ(Refusal({"stray", "-o", "a.bmp"}), "unexpected argument 'stray'");
    EXPECT_EQ(Refusal({"a.png"}), "unexpected argument 'a.png' (name the output file with -o)");
    EXPECT_EQ(Refusal({"stray", "--bogus"}), "--bogus: unknown option");
    EXPECT_EQ(Refusal({"-o", "-"}), "-o -: the standard output needs --format bmp, png or jpeg");
    // A bad value is refused even after a good one for the same option.
    EXPECT_EQ(Refusal({"--kernel", "scalar", "--kernel", "bogus", "-o", "a.bmp"}),
              "--kernel: 'bogus' is not scalar, auto, generic, sse2, avx2 or avx512");

    test::TempDir dir;
    const RunResult r = Render({"--size", "64x48", dir.File("a.png")});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "vistal-render: unexpected argument '" + dir.File("a.png") +
                         "' (name the output file with -o)\nTry 'vistal-render --help'.\n");
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
}

TEST(RenderCommandLine, FormatAndQuality) {
    test::TempDir dir;
    // --format overrides the name's extension.
    RunResult r = Render({"--size", "16x12", "--format", "png", "-o", dir.File("picture")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(test::ReadFileBytes(dir.File("picture")).substr(1, 3), "PNG");
    // A lower quality gives a smaller JPEG file.
    ASSERT_EQ(Render({"--size", "160x120", "--quality=20", "-o", dir.File("low.jpg")}).status, 0);
    ASSERT_EQ(Render({"--size", "160x120", "-o", dir.File("default.jpg")}).status, 0);
    EXPECT_LT(test::ReadFileBytes(dir.File("low.jpg")).size(),
              test::ReadFileBytes(dir.File("default.jpg")).size());
    EXPECT_EQ(Refusal({"--quality", "0", "-o", "a.jpg"}), "--quality: '0' is not an integer from 1 to 100");
    EXPECT_EQ(Refusal({"--format", "gif", "-o", "a.jpg"}), "--format: 'gif' is not bmp, png or jpeg");
    // A name whose extension says another type is refused; .jpg and .jpeg are both JPEG.
    EXPECT_EQ(Refusal({"--format", "jpeg", "-o", "x.png"}),
              "--format: 'x.png' is a png name, not a jpeg one");
    EXPECT_EQ(Refusal({"--format", "png", "--frames", "2", "--zoom-to", "0,0,1", "-o", "z%d.BMP"}),
              "--format: 'z%d.BMP' is a bmp name, not a png one");
    EXPECT_EQ(Refusal({"--format", "jpeg", "-o", "x.JPG"}), "(accepted)");
}
