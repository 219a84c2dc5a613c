// SPDX-License-Identifier: GPL-3.0-or-later
// Views beyond one picture: the precision warning, zoom sequences, pictures
// that carry their view, and palettes found by name.
#include "cli/CliOptions.h"
#include "cli/ZoomSequence.h"
#include "colour/ImageFile.h"
#include "colour/ImageText.h"
#include "colour/PaletteFile.h"
#include "support/ImageReaders.h"
#include "support/RenderSupport.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

using namespace vistal;
using vistal::test::Render;
using vistal::test::RunResult;
namespace fs = std::filesystem;

// Views finer than doubles resolve are drawn deep; drawn on doubles all the
// same (--deep never), they are warned about.
TEST(RenderView, WarnsWhereDoublesCannotTellPixelsApart) {
    test::TempDir dir;
    const auto render = [&](const char* span, const char* deep) {
        return Render({"--size", "1024x768", "--center", "-0.743643887037151,0.131825904205330", "--span",
                       span, "--iterations", "20", "--deep", deep, "-o", dir.File("deep.bmp")});
    };
    RunResult r = render("1e-15", "never");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err.rfind("vistal-render: warning: the view is finer than doubles resolve", 0), 0u) << r.err;
    EXPECT_NE(r.err.find("a pixel is 1.3e-18 wide, and doubles near it are 1.1e-16 apart"), std::string::npos)
        << r.err;
    for (const char* deep : {"auto", "always"}) {
        r = render("1e-15", deep);
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.err, "");
    }
    r = render("1e-12", "never");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
}

TEST(RenderView, ZoomSequenceFramesAreSingleRenders) {
    test::TempDir dir;
    const std::vector<std::string> common = {"--size", "64x48", "--iterations", "300", "--palette", "blue"};
    const auto with = [&](std::vector<std::string> args) {
        args.insert(args.begin(), common.begin(), common.end());
        return Render(args);
    };
    RunResult r = with({"--frames", "3", "--zoom-to", "-0.743643887037151,0.131825904205330,0.001", "-o",
                        dir.File("f%02d.png")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "vistal-render: wrote 3 frames, " + dir.File("f00.png") + " to " + dir.File("f02.png") +
                         " (64x48)\n");
    ASSERT_EQ(with({"-o", dir.File("start.png")}).status, 0);
    ASSERT_EQ(with({"--center", "-0.743643887037151,0.131825904205330", "--span", "0.001", "-o",
                    dir.File("target.png")})
                  .status,
              0);
    // The same pixels and the same view recorded: the same bytes.
    EXPECT_EQ(test::ReadFileBytes(dir.File("f00.png")), test::ReadFileBytes(dir.File("start.png")));
    EXPECT_EQ(test::ReadFileBytes(dir.File("f02.png")), test::ReadFileBytes(dir.File("target.png")));
    EXPECT_NE(test::ReadPng(dir.File("f01.png")), test::ReadPng(dir.File("f00.png")));

    // Frames encoded several at a time are the same files, and reach a pipe
    // one picture after another in order.
    cli::TRenderEnvironment three;
    three.FrameWriters = 3;
    std::vector<std::string> sequence = common;
    sequence.insert(sequence.end(), {"--frames", "5", "--zoom-to", "0,0,1", "-o", dir.File("g%d.png")});
    ASSERT_EQ(test::Render(sequence, three).status, 0);
    sequence.back() = "-";
    sequence.insert(sequence.end(), {"--format", "png"});
    const RunResult piped = test::Render(sequence, three);
    ASSERT_EQ(piped.status, 0) << piped.err;
    std::string frames;
    for (int k = 0; k < 5; ++k)
        frames += test::ReadFileBytes(dir.File("g" + std::to_string(k) + ".png"));
    EXPECT_EQ(piped.out, frames);
    cli::TRenderEnvironment one;
    one.FrameWriters = 1;
    EXPECT_EQ(test::Render(sequence, one).out, frames);

    for (const auto& [args, message] : std::vector<std::pair<std::vector<std::string>, std::string>>{
             {{"--frames", "3", "-o", "f%d.png"}, "--frames: needs --zoom-to RE,IM,SPAN"},
             {{"--zoom-to", "0,0,1", "-o", "f%d.png"}, "--zoom-to: needs --frames N"},
             {{"--frames", "3", "--zoom-to", "0,0,0", "-o", "f%d.png"},
              "--zoom-to: '0,0,0' is not RE,IM,SPAN with a span above 0"},
             {{"--frames", "3", "--zoom-to", "0,0,1", "-o", "f.png"},
              "-o: 'f.png' has no frame number (such as %05d) for --frames"},
             {{"--frames", "1", "--zoom-to", "0,0,1", "-o", "f%d.png"},
              "--frames: '1' is not an integer from 2 to 100000"},
         }) {
        r = Render(args);
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.err, "vistal-render: " + message + "\nTry 'vistal-render --help'.\n");
    }
}

// Runs that share a sequence, by shards or ranges, write what one run writes.
TEST(RenderView, ShardsAndRangesMakeOneRun) {
    test::TempDir dir;
    fs::create_directories(dir.Path() / "one");
    fs::create_directories(dir.Path() / "shared");
    const std::vector<std::string> sequence = {"--size", "48x32",     "--iterations",   "200", "--frames",
                                               "5",      "--zoom-to", "-0.75,0.1,0.01", "-o"};
    const auto run = [&](std::vector<std::string> more, const std::string& output) {
        std::vector<std::string> args = sequence;
        args.push_back(output);
        args.insert(args.end(), more.begin(), more.end());
        return Render(args);
    };
    ASSERT_EQ(run({}, dir.File("one/f%d.png")).status, 0);
    RunResult r = run({"--shard", "1/2"}, dir.File("shared/f%d.png"));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "vistal-render: wrote 3 of 5 frames, " + dir.File("shared/f0.png") + " to " +
                         dir.File("shared/f4.png") + " (48x32)\n");
    ASSERT_EQ(run({"--shard", "2/2"}, dir.File("shared/f%d.png")).status, 0);
    int files = 0;
    for (const auto& entry : fs::directory_iterator(dir.Path() / "shared")) {
        ++files;
        EXPECT_EQ(test::ReadFileBytes(entry.path().string()),
                  test::ReadFileBytes(dir.File("one/" + entry.path().filename().string())));
    }
    EXPECT_EQ(files, 5);

    // Of the frames 1..3, the second shard of two is frame 2; on the standard
    // output a sequence is PNG pictures unless --format says otherwise.
    r = run({"--frame-range", "1-3", "--shard", "2/2"}, "-");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, test::ReadFileBytes(dir.File("one/f2.png")));
    r = run({"--shard", "6/8"}, dir.File("shared/g%d.png"));
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "vistal-render: no frame of the 5 is in shard 6/8\n");
    for (const auto& [args, message] : std::vector<std::pair<std::vector<std::string>, std::string>>{
             {{"--frame-range", "2-5"}, "--frame-range: there is no frame 5 (frames are 0 to 4)"},
             {{"--frame-range", "3-2"}, "--frame-range: '3-2' is not FIRST-LAST with FIRST up to LAST"},
             {{"--shard", "3/2"}, "--shard: '3/2' is not K/N with K from 1 to N"},
             {{"--shard", "0/2"}, "--shard: '0/2' is not K/N with K from 1 to N"},
         }) {
        r = run(args, "f%d.png");
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.err, "vistal-render: " + message + "\nTry 'vistal-render --help'.\n");
    }
    EXPECT_EQ(Render({"--shard", "1/2", "-o", "f.png"}).err,
              "vistal-render: --shard: needs --frames N\nTry 'vistal-render --help'.\n");
}

// Smooth colouring makes the colours flow from one frame of a zoom to the
// next: where stepped colours jump by a whole palette step at the pixels a band
// edge crosses, smooth ones move a little everywhere, so the root mean square
// of the difference of neighbouring frames is smaller (about 0.3 times here).
// The smooth frames keep the option in their view.
TEST(RenderView, SmoothFramesDifferLessThanSteppedOnes) {
    test::TempDir dir;
    const auto pairDifference = [&](const std::string& name, bool smooth) {
        // Bands of escaping points away from the set, whose edge would move alike in both.
        std::vector<std::string> args = {
            "--size", "96x64",     "--center",   "-1.3,1",        "--span", "0.4", "--frames",
            "40",     "--zoom-to", "-1.3,1,0.2", "--frame-range", "20-21",  "-o",  dir.File(name + "%d.png")};
        if (smooth) args.push_back("--smooth");
        const RunResult r = Render(args);
        EXPECT_EQ(r.status, 0) << r.err;
        const TBitmap a = test::ReadPng(dir.File(name + "20.png")),
                      b = test::ReadPng(dir.File(name + "21.png"));
        double sum = 0;
        for (int y = 0; y < a.Height(); ++y)
            for (int x = 0; x < a.Width(); ++x)
                for (int shift = 0; shift <= 16; shift += 8) {
                    const int d = int(a.Pixel(x, y) >> shift & 0xFF) - int(b.Pixel(x, y) >> shift & 0xFF);
                    sum += d * d;
                }
        return std::sqrt(sum / (a.Width() * a.Height() * 3));
    };
    const double stepped = pairDifference("stepped", false), smooth = pairDifference("smooth", true);
    EXPECT_LT(smooth, 0.5 * stepped) << smooth << " " << stepped;
    const std::optional<TImageText> text = ReadImageTextFile(dir.File("smooth20.png"));
    ASSERT_TRUE(text);
    EXPECT_NE(text->Texts.at(0).find(",SM=1,"), std::string::npos) << text->Texts.at(0);
}

TEST(RenderView, FramePatternsAndPath) {
    using cli::CheckFramePattern;
    using cli::FrameFileName;
    for (const char* good : {"f%05d.png", "%d.bmp", "100%%-%3d.jpg", "a%%d%d.png"})
        EXPECT_EQ(CheckFramePattern(good), "") << good;
    for (const char* bad : {"f.png", "%s.png", "%d%d.png", "%5.2d.png", "%-3d.png", "%100d.png", "%n.png",
                            "%ld.png", "%0d.png", "f%", "%x.png"})
        EXPECT_NE(CheckFramePattern(bad), "") << bad;
    EXPECT_EQ(FrameFileName("f%05d.png", 42), "f00042.png");
    EXPECT_EQ(FrameFileName("100%%-%3d.jpg", 7), "100%-  7.jpg");
    EXPECT_EQ(FrameFileName("%d.bmp", 123456), "123456.bmp");

    // The span changes geometrically; the target moves to the centre at an
    // even pace on the screen: its offset in pixels is (1 - t) times the first.
    const cli::TZoomView start{{-0.5, 0.25}, 3}, target{{-0.75, 0.1}, 3e-6};
    const auto offset = [&](const cli::TZoomView& v) {
        return TComplex{(target.Center.Re - v.Center.Re) / v.Span, (target.Center.Im - v.Center.Im) / v.Span};
    };
    for (int k : {1, 3, 5}) {
        const double t = k / 6.0;
        const cli::TZoomView v = cli::ZoomFrameView(start, target, k, 7);
        EXPECT_NEAR(std::log(v.Span), std::log(3) + t * std::log(1e-6), 1e-12);
        EXPECT_NEAR(offset(v).Re, (1 - t) * offset(start).Re, 1e-9);
        EXPECT_NEAR(offset(v).Im, (1 - t) * offset(start).Im, 1e-9);
    }
}

TEST(RenderView, PicturesCarryTheirViewAndDrawAgain) {
    test::TempDir dir;
    const std::string vcp = dir.File("Dusk.vcp");
    test::WriteFileBytes(vcp, "102030\n#GRAD FF0000,0000FF,40\n#GRAD 0000FF,FF0000,40\n");
    cli::TRenderEnvironment environment;
    environment.PaletteFolders = {dir.Path().string()};
    const std::vector<std::vector<std::string>> views = {
        {"--formula", "julia", "--julia", "-0.8,0.156", "--iterations", "300", "--mode", "border",
         "--no-half", "--palette", vcp},
        {"--center", "-0.75,0", "--span",       "0.5",      "--mode",    "potential2",   "--escape",
         "100",      "--compo", "off",          "--bright", "3",         "--correction", "1.5",
         "--color0", "102030",  "--brightness", "0.2",      "--palette", "mono"},
        {"--power", "3", "--mode", "ext-normal", "--escape", "50", "--detail", "auto", "--shade-off"},
    };
    for (std::vector<std::string> args : views) {
        const std::string name = args[0] + " " + args[1];
        args.insert(args.end(), {"--size", "80x60", "-o", dir.File("first.png")});
        ASSERT_EQ(test::Render(args, environment).status, 0) << name;
        const RunResult again =
            test::Render({"--view-from", dir.File("first.png"), "-o", dir.File("again.png")}, environment);
        ASSERT_EQ(again.status, 0) << name << ": " << again.err;
        EXPECT_EQ(again.err, "") << name;
        EXPECT_EQ(test::ReadFileBytes(dir.File("again.png")), test::ReadFileBytes(dir.File("first.png")))
            << name;
    }
    // At another size, and as JPEG, whose comment holds the same text.
    ASSERT_EQ(
        test::Render({"--view-from", dir.File("first.png"), "--size", "40x30", "-o", dir.File("small.jpg")},
                     environment)
            .status,
        0);
    EXPECT_EQ(test::ReadJpeg(dir.File("small.jpg")).Width(), 40);
    const auto png = ReadImageTextFile(dir.File("first.png")),
               jpeg = ReadImageTextFile(dir.File("small.jpg"));
    ASSERT_TRUE(png && jpeg);
    ASSERT_EQ(png->Texts.size(), 1u);
    EXPECT_EQ(jpeg->Texts, png->Texts);
    EXPECT_EQ(png->Texts[0].rfind("T=Vistal,Title=vistal-render,Cr=", 0), 0u) << png->Texts[0];
    EXPECT_NE(png->Texts[0].find(",Pow=3,"), std::string::npos) << png->Texts[0];

    // A picture without a view, and a palette that cannot be found.
    ASSERT_EQ(Render({"--size", "8x8", "-o", dir.File("plain.bmp")}).status, 0);
    RunResult r = Render({"--view-from", dir.File("plain.bmp"), "-o", dir.File("x.png")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "vistal-render: " + dir.File("plain.bmp") + ": not a PNG or JPEG picture\n");
    ASSERT_EQ(test::Render({"--palette", "Dusk", "-o", dir.File("dusk.png")}, environment).status, 0);
    r = Render({"--view-from", dir.File("dusk.png"), "-o", dir.File("x.png")});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err,
              "vistal-render: warning: " + dir.File("dusk.png") +
                  ": the picture's palette 'Dusk' is not found; drawing with standard (name its file with "
                  "--palette)\n");
}

// A view the picture holds in error says what is wrong; a header without a
// size that can be drawn is warned about, and the picture is drawn at the
// renderer's own size.
TEST(RenderView, DamagedViewsAndSizesAreNamed) {
    test::TempDir dir;
    const std::string file = dir.File("view.png");
    TPictureFileOptions options;
    options.Text = "T=Vistal,Title=x,Cr=nan,Ci=0,W=1";
    WriteImageFile(TBitmap(4, 3), file, ftPng, options);
    RunResult r = Render({"--view-from", file, "-o", dir.File("x.png")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err,
              "vistal-render: " + file + ": its view is damaged: Cr の値「nan」は数値ではありません。\n");

    options.Text = "T=Vistal,Title=x,Cr=0,Ci=0,W=1";
    WriteImageFile(TBitmap(4, 3), file, ftPng, options);
    std::string bytes = test::ReadFileBytes(file);
    bytes.replace(16, 8, 8, '\0'); // the header's width and height, 0x0
    test::WriteFileBytes(file, bytes);
    r = Render({"--view-from", file, "-o", dir.File("x.png")});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "vistal-render: warning: " + file +
                         ": the picture's header gives no size that can be drawn (1..100000 pixels a side); "
                         "drawing at 200x200 (give --size)\n");
    EXPECT_EQ(test::ReadPng(dir.File("x.png")).Width(), 200);
}

TEST(RenderView, ThePaletteNamesOfTheExplorerAreTheBuiltInOnes) {
    // The explorer writes its built-in palettes by the names it shows.
    test::TempDir dir;
    const std::pair<const char*, const char*> names[] = {
        {"mono", "白黒"}, {"blue", "青"}, {"standard", "標準"}};
    for (const auto& [ours, shown] : names) {
        ASSERT_EQ(Render({"--size", "40x30", "--palette", ours, "-o", dir.File("ours.png")}).status, 0);
        const auto text = ReadImageTextFile(dir.File("ours.png"));
        ASSERT_TRUE(text && text->Texts.size() == 1u);
        std::string line = text->Texts[0];
        const std::string key = std::string(",VCP=") + ours + ",";
        ASSERT_NE(line.find(key), std::string::npos) << line;
        line.replace(line.find(key), key.size(), std::string(",VCP=") + shown + ",");
        TPictureFileOptions options;
        options.Text = line;
        WriteImageFile(TBitmap(40, 30), dir.File("explorer.png"), ftPng, options);

        const RunResult r = Render({"--view-from", dir.File("explorer.png"), "-o", dir.File("again.png")});
        ASSERT_EQ(r.status, 0) << ours;
        EXPECT_EQ(r.err, "") << ours;
        EXPECT_EQ(test::ReadPng(dir.File("again.png")), test::ReadPng(dir.File("ours.png"))) << ours;
    }
}

TEST(RenderView, PalettesFoundByName) {
    // Every palette shipped (and its map twin) loads with the palette reader.
    int shipped = 0;
    for (const auto& entry : fs::directory_iterator(VISTAL_SOURCE_DIR "/palettes")) {
        const TVcpReadResult read = ReadPaletteFile(entry.path().string());
        EXPECT_EQ(read.Code, vcpOk) << entry.path();
        EXPECT_GE(read.Colors.size(), 100u) << entry.path();
        ++shipped;
    }
    EXPECT_GE(shipped, 4);

    // The program of the build tree finds them by name; a user's own folder
    // comes first.
    test::TempDir dir;
    ASSERT_EQ(test::RunRenderProgram({"--size", "40x30", "--palette", "sunset", "-o", dir.File("a.bmp")},
                                     dir.File("out"), dir.File("err")),
              0)
        << test::ReadFileBytes(dir.File("err"));
    ASSERT_EQ(Render({"--size", "40x30", "--palette", VISTAL_SOURCE_DIR "/palettes/sunset.vcp", "-o",
                      dir.File("b.bmp")})
                  .status,
              0);
    EXPECT_EQ(test::ReadBmp24(dir.File("a.bmp")), test::ReadBmp24(dir.File("b.bmp")));

    fs::create_directories(dir.Path() / "data/vistal/palettes");
    test::WriteFileBytes(dir.File("data/vistal/palettes/sunset.vcp"), "000000\nFF0000\n00FF00\n");
    const std::string home = "XDG_DATA_HOME=" + dir.File("data");
    ASSERT_EQ(test::RunRenderProgram({"--palette", "list"}, dir.File("out"), dir.File("err"), {home}), 0);
    const std::string list = test::ReadFileBytes(dir.File("out"));
    EXPECT_EQ(list.rfind("standard\tbuilt in\nmono\tbuilt in\nblue\tbuilt in\n", 0), 0u) << list;
    EXPECT_NE(list.find("sunset\t" + dir.File("data/vistal/palettes/sunset.vcp") + "\n"), std::string::npos)
        << list;
    EXPECT_NE(list.find("ocean\t"), std::string::npos) << list;

    RunResult r = Render({"--palette", "nowhere", "-o", dir.File("c.bmp")});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err,
              "vistal-render: --palette: no palette is named 'nowhere' (built in: standard, mono, blue; "
              "--palette list shows the others)\nTry 'vistal-render --help'.\n");
}
