// SPDX-License-Identifier: GPL-3.0-or-later
#include "colour/PaletteFile.h"
#include "colour/Uvcpr.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace vistal;

namespace {

TColor Rgb(int r, int g, int b) {
    return static_cast<TColor>(r | g << 8 | b << 16);
}

// Reads the text as a file of the given name's format.
TVcpReadResult ReadText(const std::string& name, const std::string& text, const std::string& gradient = {}) {
    test::TempDir dir;
    test::WriteFileBytes(dir.File(name), text);
    return ReadPaletteFile(dir.File(name), gradient);
}

std::vector<TColor> Colors(const std::string& name, const std::string& text,
                           const std::string& gradient = {}) {
    const TVcpReadResult r = ReadText(name, text, gradient);
    EXPECT_EQ(r.Code, vcpOk) << text;
    return r.Colors;
}

} // namespace

TEST(PaletteFile, FormatOfName) {
    EXPECT_EQ(PaletteFormatOfName("a/Fire.MAP"), TPaletteFormat::Map);
    EXPECT_EQ(PaletteFormatOfName("x.gpl"), TPaletteFormat::Gpl);
    EXPECT_EQ(PaletteFormatOfName("x.Gradient"), TPaletteFormat::Ugr);
    EXPECT_EQ(PaletteFormatOfName("x.ugr"), TPaletteFormat::Ugr);
    EXPECT_EQ(PaletteFormatOfName("x.vcp"), TPaletteFormat::Vcp);
    EXPECT_EQ(PaletteFormatOfName("dir.map/.map"), std::nullopt); // a name that is only the extension
    EXPECT_EQ(PaletteFormatOfName("x.txt"), std::nullopt);
}

TEST(PaletteFile, MapLines) {
    // A remark after the numbers, blanks and tabs, blank lines, CR LF; every
    // line a colour, however many.
    EXPECT_EQ(Colors("a.map", "  0 0 0  made by hand\r\n\n255\t128 7\n \n1 2 3"),
              (std::vector<TColor>{0, Rgb(255, 128, 7), Rgb(1, 2, 3)}));
    std::string many;
    for (int i = 0; i < 300; ++i)
        many += std::to_string(i % 256) + " 0 0\n";
    EXPECT_EQ(Colors("a.map", many).size(), 300u);
    for (const char* bad : {"256 0 0", "1 2", "1,2,3", "1 2 3x", "-1 2 3", "; remark", "1 2 0x3"})
        EXPECT_EQ(ReadText("a.map", std::string("0 0 0\n") + bad + "\n").Code, 2) << bad;
    EXPECT_EQ(ReadText("a.map", "\n \n").Code, vcpNoColor);
}

TEST(PaletteFile, GimpPalettes) {
    EXPECT_EQ(Colors("a.gpl", "GIMP Palette\nName: Fire\nColumns: 4\n# remark\n\n  0   0   0\tBlack\n"
                              "255 255 255 White and more\n"),
              (std::vector<TColor>{0, Rgb(255, 255, 255)}));
    EXPECT_EQ(ReadText("a.gpl", "0 0 0\n").Code, 1); // no header
    EXPECT_EQ(ReadText("a.gpl", "").Code, 1);
    EXPECT_EQ(ReadText("a.gpl", "GIMP Palette\n0 0 300 Too red\n").Code, 2);
    EXPECT_EQ(ReadText("a.gpl", "GIMP Palette\nName: empty\n").Code, vcpNoColor);
}

TEST(PaletteFile, Gradients) {
    // Red at 0 and blue at 200: the colours run linearly between them, and
    // from blue around the end back to red.
    const std::string file = "; a collection\n"
                             "first {\n"
                             "gradient:\n"
                             "  title=\"red { and } blue\" smooth=yes index=0 color=255\n"
                             "  index=200 color=16711680 ; blue\n"
                             "opacity:\n"
                             "  smooth=no index=0 opacity=255\n"
                             "}\n"
                             "Second{gradient: index=-10 color=65280}\n";
    const std::vector<TColor> first = Colors("a.ugr", file);
    ASSERT_EQ(first.size(), 400u);
    EXPECT_EQ(first[0], Rgb(255, 0, 0));
    EXPECT_EQ(first[50], Rgb(191, 0, 64));   // 255 · 3/4 = 191.25
    EXPECT_EQ(first[100], Rgb(128, 0, 128)); // 127.5 rounds to even
    EXPECT_EQ(first[200], Rgb(0, 0, 255));
    EXPECT_EQ(first[300], Rgb(128, 0, 128));
    EXPECT_EQ(first[399], Rgb(254, 0, 1));
    // A block by its name in any letter case; one stop (at -10, that is 390) is one colour.
    EXPECT_EQ(Colors("a.gradient", file, "SECOND"), std::vector<TColor>(400, Rgb(0, 255, 0)));
    EXPECT_EQ(ReadText("a.ugr", file, "third").Code, paletteNoGradient);
    EXPECT_EQ(ReadText("a.ugr", "; nothing\n").Code, paletteNoGradient);
    EXPECT_EQ(ReadText("a.ugr", "g {\ngradient:\n}\n").Code, vcpNoColor);

    // The first bad line, wherever it is.
    for (const auto& [text, line] : std::vector<std::pair<std::string, int>>{
             {"g {\ngradient: color=255\n}", 2},              // a colour without its index
             {"g {\ngradient: index=1 index=2\n}", 2},        // an index without its colour
             {"g {\ngradient: index=1\n}", 3},                // still without it at the end
             {"g {\ngradient: index=x color=1\n}", 2},        // not an integer
             {"g {\ngradient: index=1 color=16777216\n}", 2}, // beyond 0xFFFFFF
             {"g {\ngradient: title=\"open\n}", 2},           // a quote left open
             {"g {\ngradient: word\n}", 2},                   // a bare word among the settings
             {"g {\nx {\n}", 2},                              // a block inside a block
             {"}\n", 1},                                      // a brace that closes nothing
             {"a b {\n}", 1},                                 // two names
             {"; fine\ng {\ngradient: index=1 color=1\n", 2}, // a block never closed: its first line
         })
        EXPECT_EQ(ReadText("a.ugr", text).Code, line) << text;
}

// Each shipped palette has a map twin made by the writer; the twin, and GIMP
// and VCP files written from it, read back as the palette's colours.
TEST(PaletteFile, ShippedPalettesAndTheirTwinsRoundTrip) {
    test::TempDir dir;
    int palettes = 0;
    for (const auto& entry : std::filesystem::directory_iterator(VISTAL_SOURCE_DIR "/palettes")) {
        if (entry.path().extension() != ".vcp") continue;
        ++palettes;
        const std::string name = entry.path().stem().string();
        const TVcpReadResult vcp = ReadVcpFile(entry.path().string());
        ASSERT_EQ(vcp.Code, vcpOk) << name;
        const std::string twin = entry.path().parent_path() / (name + ".map");
        EXPECT_EQ(test::ReadFileBytes(twin), ComposePaletteText(vcp.Colors, TPaletteFormat::Map, name))
            << name;
        EXPECT_EQ(ReadMapFile(twin).Colors, vcp.Colors) << name;
        for (const char* extension : {".gpl", ".vcp", ".map"}) {
            const std::string written = dir.File(name + extension);
            WritePaletteFile(written, vcp.Colors, name);
            EXPECT_EQ(ReadPaletteFile(written).Colors, vcp.Colors) << written;
        }
    }
    EXPECT_EQ(palettes, 5);
    const std::string gpl = "GIMP Palette\nName: sunset\nColumns: 16\n#\n 11   6  20\tcolour 0\n 26   6  51";
    EXPECT_EQ(test::ReadFileBytes(dir.File("sunset.gpl")).substr(0, gpl.size()), gpl);
}
