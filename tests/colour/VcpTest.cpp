// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/UType.h"
#include "colour/Uvcpr.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <random>

using namespace vistal;

namespace {

TColor Rgb(int r, int g, int b) {
    return static_cast<TColor>(r | g << 8 | b << 16);
}

// Reads the text as a palette file.
TVcpReadResult ReadText(const std::string& text) {
    test::TempDir dir;
    const std::string file = dir.File("p.vcp");
    test::WriteFileBytes(file, text);
    return ReadVcpFile(file);
}

std::vector<TColor> Colors(const std::string& text) {
    TVcpReadResult r = ReadText(text);
    EXPECT_EQ(r.Code, vcpOk) << text.substr(0, 80);
    return r.Colors;
}

int ErrorLine(const std::string& text) {
    return ReadText(text).Code;
}

} // namespace

TEST(Vcp, ExampleFile) {
    const std::vector<TColor> expected = {
        Rgb(0, 0, 0),     Rgb(255, 0, 0), Rgb(255, 64, 0), Rgb(255, 128, 0),
        Rgb(255, 191, 0), Rgb(0, 0, 255), Rgb(64, 0, 255), Rgb(128, 0, 255),
        Rgb(192, 0, 255), Rgb(0, 0, 255), Rgb(0, 255, 0),
    };
    EXPECT_EQ(Colors(test::kSunsetVcp), expected);
}

TEST(Vcp, Gradients) {
    EXPECT_EQ(Colors("#GRAD 000000,FFFFFF,2\n"), (std::vector<TColor>{0, Rgb(128, 128, 128)}));
    EXPECT_EQ(Colors("#grad   FFFFFF ,\t000000 , 3  \n"),
              (std::vector<TColor>{Rgb(255, 255, 255), Rgb(170, 170, 170), Rgb(85, 85, 85)}));
    EXPECT_EQ(ErrorLine("000001\n#GRAD 000000, FFFFFF, -5\n"), 2); // a negative count
    EXPECT_EQ(ErrorLine("000000\n#GRAD 000000,FFFFFF,0\n"), 2);
    EXPECT_EQ(ErrorLine("#GRADX 000000,FFFFFF,2\n"), 1);  // keyword not followed by a blank
    EXPECT_EQ(ErrorLine("#GRAD\t000000,FFFFFF,2\n"), 1);  // a tab is not the blank
    EXPECT_EQ(ErrorLine("#GRAD 00000,FFFFFF,2\n"), 1);    // five digits
    EXPECT_EQ(ErrorLine("#GRAD 0000000,FFFFFF,2\n"), 1);  // seven digits
    EXPECT_EQ(ErrorLine("#GRAD 00000G,FFFFFF,2\n"), 1);   // not hexadecimal
    EXPECT_EQ(ErrorLine("#GRAD 000000 FFFFFF,2\n"), 1);   // missing comma
    EXPECT_EQ(ErrorLine("#GRAD 000000,FFFFFF,2.5\n"), 1); // not an integer
    EXPECT_EQ(ErrorLine("#GRAD 000000,FFFFFF,2,3\n"), 1); // one field too many
    EXPECT_EQ(ErrorLine("#GRAD 000000,FFFFFF,\n"), 1);    // no count
    EXPECT_EQ(ErrorLine("#GRAD\n"), 1);
    EXPECT_EQ(Colors("#FOO bar\n#GR\n#\n000000\n"),
              (std::vector<TColor>{0})); // unknown directives are ignored
}

TEST(Vcp, LineDirectives) {
    EXPECT_EQ(Colors("#LINE 250,3,0,0,0,0,3\n"),
              (std::vector<TColor>{Rgb(250, 0, 0), Rgb(253, 0, 0), Rgb(0, 0, 0)}));
    EXPECT_EQ(Colors("#LINE -2,1,0,0,0,0,4\n"), (std::vector<TColor>{0, 0, 0, Rgb(1, 0, 0)}));
    // Fractional steps round ties to even: 0.5 → 0, 1.5 → 2, 2.5 → 2.
    EXPECT_EQ(Colors("#LINE 0,0.5,10,-0.5,300,0,4\n"),
              (std::vector<TColor>{Rgb(0, 10, 44), Rgb(0, 10, 44), Rgb(1, 9, 44), Rgb(2, 8, 44)}));
    EXPECT_EQ(Colors("000000\n#LINE 0,1,0,1,0,1,0\n"), (std::vector<TColor>{0}));
    EXPECT_EQ(ErrorLine("000000\n#LINE 0,1,0,1,0,1,-3\n"), 2); // a negative count
    EXPECT_EQ(ErrorLine("#LINE 0,1,0,1,0,1\n"), 1);            // six fields
    EXPECT_EQ(ErrorLine("#LINE 0,1,0,1,0,1,2,3\n"), 1);        // eight fields
    EXPECT_EQ(ErrorLine("#LINE 0.5,1,0,1,0,1,2\n"), 1);        // start not an integer
    EXPECT_EQ(ErrorLine("#LINE 0,x,0,1,0,1,2\n"), 1);          // step not a number
    EXPECT_EQ(ErrorLine("#LINE 0,1,0,1,0,1,2.0\n"), 1);        // count not an integer
    EXPECT_EQ(ErrorLine("#LINE,0,1,0,1,0,1,2\n"), 1);          // keyword not followed by a blank
}

TEST(Vcp, ColourLines) {
    EXPECT_EQ(Colors("00ff00 green\n"), (std::vector<TColor>{Rgb(0, 255, 0)}));
    EXPECT_EQ(Colors("123456xyz\n"), (std::vector<TColor>{Rgb(0x12, 0x34, 0x56)}));
    EXPECT_EQ(ErrorLine(" 00FF00\n"), 1); // lines are not trimmed
    EXPECT_EQ(ErrorLine("00FF0\n"), 1);
    EXPECT_EQ(ErrorLine("0xFF00\n"), 1);
    EXPECT_EQ(ErrorLine("000000\n\n   \n"), 3); // a line of blanks is a colour line
}

TEST(Vcp, LineEndsAndNumbering) {
    const std::vector<TColor> two = {Rgb(1, 0, 0), Rgb(2, 0, 0)};
    EXPECT_EQ(Colors("010000\r\n020000\r\n"), two);
    EXPECT_EQ(Colors("010000\r020000"), two); // lone CR, no final line end
    EXPECT_EQ(Colors("\xEF\xBB\xBF"
                     "010000\n020000\n"),
              two); // a UTF-8 byte-order mark is skipped
    // Every physical line counts, comments and empty lines included.
    EXPECT_EQ(ErrorLine("*\r\n\r\n*\r*\n\n\nBAD\n"), 7);
    EXPECT_EQ(ReadText("* only comments\n\n*\n").Code, vcpNoColor);
    EXPECT_EQ(ReadText("").Code, vcpNoColor);
    test::TempDir dir;
    EXPECT_EQ(ReadVcpFile(dir.File("missing.vcp")).Code, vcpFileNotFound);
    EXPECT_EQ(ReadVcpFile(dir.Path().string()).Code, vcpFileNotFound); // a folder is no palette file
}

TEST(Vcp, HugeCountsLongLinesAndOverflow) {
    // The cap: exactly the largest palette loads, one colour more is an error of its line.
    const std::string max = std::to_string(kMaxVcpColors);
    EXPECT_EQ(Colors("#GRAD 000000,FFFFFF," + max + "\n").size(), kMaxVcpColors);
    EXPECT_EQ(ErrorLine("000000\n#GRAD 000000,FFFFFF," + max + "\n"), 2);
    EXPECT_EQ(ErrorLine("#GRAD 000000,FFFFFF,2000000000\n"), 1);
    EXPECT_EQ(ErrorLine("#LINE 0,1,0,1,0,1,2000000000\n"), 1);
    EXPECT_EQ(ErrorLine("#GRAD 000000,FFFFFF,99999999999999999999999\n"), 1);
    EXPECT_EQ(ErrorLine("#LINE 99999999999,1,0,1,0,1,2\n"), 1);
    EXPECT_EQ(ErrorLine("#LINE 0,1e300,0,1,0,1,2\n"), 1); // Round(1e300) fits no integer
    EXPECT_EQ(ErrorLine("#LINE 2147483647,9.2233720368547e18,0,1,0,1,2\n"), 1); // the sum overflows
    EXPECT_EQ(ErrorLine("#LINE 0,1e999,0,1,0,1,2\n"), 1);

    // A megabyte line: a colour with a long remark, a directive padded with blanks.
    const std::string blanks(1 << 20, ' ');
    EXPECT_EQ(Colors("00FF00" + std::string(1 << 20, 'x') + "\n"), (std::vector<TColor>{Rgb(0, 255, 0)}));
    EXPECT_EQ(Colors("#GRAD 000000," + blanks + "FFFFFF" + blanks + ",2" + blanks + "\n").size(), 2u);
    EXPECT_EQ(Colors("* " + blanks + blanks + "\n010203\n"), (std::vector<TColor>{Rgb(1, 2, 3)}));
}

TEST(Vcp, LongerThanTheLineLimit) {
    // Only a directive needs its whole line; beyond the limit it is an error.
    const std::string pad(kMaxVcpLineLength, ' ');
    EXPECT_EQ(Colors("010203" + pad + "\n* " + pad + "\n").size(), 1u);
    EXPECT_EQ(ErrorLine("010203\n#GRAD 000000,FFFFFF,2" + pad + "\n"), 2);
}

// A directive with millions of fields is refused by counting its commas,
// without building the fields: the whole file reads within a little more
// memory than the line itself.
TEST(Vcp, ManyFieldsCostNoMemory) {
    test::TempDir dir;
    const std::string file = dir.File("commas.vcp");
    test::WriteFileBytes(file, "#GRAD " + std::string(kMaxVcpLineLength - 7, ',') + "\n");
    const int ended = test::InChild([&] {
        test::LimitAddressSpace(160 << 20);
        return ReadVcpFile(file).Code == 1 ? 0 : 1;
    });
    EXPECT_EQ(ended, 0);
}

TEST(Vcp, TrimAroundCommas) {
    EXPECT_EQ(TrimAroundCommas(" a , b ,\tc\x01 "), "a,b,c");
    EXPECT_EQ(TrimAroundCommas(",,"), ",,");
    EXPECT_EQ(TrimAroundCommas("  "), "");
    EXPECT_EQ(TrimAroundCommas("x y , z"), "x y,z");
}

TEST(Vcp, PaletteList) {
    TPalette p;
    EXPECT_TRUE(p.IsEmpty());
    EXPECT_EQ(p.LastIndex(), -1);
    EXPECT_THROW(p.GetColor(0), EAbort);
    for (int i = 0; i < 3000; ++i) // grows past its first 1024 entries
        p.AddColor(static_cast<TColor>(i));
    EXPECT_EQ(p.LastIndex(), 2999);
    EXPECT_EQ(p.GetColor(2999), 2999u);
    EXPECT_THROW(p.GetColor(3000), EAbort);
    EXPECT_THROW(p.GetColor(-1), EAbort);
}

TEST(Vcp, FuzzedLinesAndFilesFailCleanly) {
    std::mt19937 rng(20240611);
    const std::vector<std::string> seeds = {
        "#GRAD FF0000, FFFF00, 4",
        "#LINE 0,64,0,0,255,0,5",
        "00FF00 green",
        "* comment",
        "#line -2,1,0,0,0,0,4",
        "#GRAD 000000,FFFFFF,2",
        "",
        "#FOO",
    };
    const std::string alphabet = "0123456789abcdefABCDEF#*,.-+eE \t\r\n\x01\x7F\xFF";
    auto byte = [&]() { return static_cast<char>(rng() & 0xFF); };
    int ok = 0;
    for (int i = 0; i < 4000; ++i) {
        std::string line = seeds[rng() % seeds.size()];
        const int edits = 1 + static_cast<int>(rng() % 6);
        for (int e = 0; e < edits; ++e) {
            const std::size_t at = line.empty() ? 0 : rng() % (line.size() + 1);
            switch (rng() % 4) {
            case 0:
                line.insert(at, 1, rng() % 2 ? alphabet[rng() % alphabet.size()] : byte());
                break;
            case 1:
                if (at < line.size()) line.erase(at, 1);
                break;
            case 2:
                if (at < line.size()) line[at] = alphabet[rng() % alphabet.size()];
                break;
            default:
                line.insert(at, std::to_string(static_cast<long long>(rng()) * (rng() % 2 ? 1 : -100000)));
                break;
            }
        }
        if (i % 5 == 0) { // raw random bytes
            line.resize(rng() % 40);
            for (char& c : line)
                c = byte();
        }
        TPalette p;
        try {
            p.ParseVcpLine(line);
            ++ok;
        } catch (const EAbort&) {
        } catch (const EConvertError&) {
        }
        EXPECT_LE(p.Colors().size(), kMaxVcpColors);
    }
    EXPECT_GT(ok, 100); // the mutations do not all fail

    // Whole files of random bytes and lines.
    test::TempDir dir;
    const std::string file = dir.File("fuzz.vcp");
    for (int i = 0; i < 300; ++i) {
        std::string text;
        const int lines = static_cast<int>(rng() % 8);
        for (int l = 0; l < lines; ++l) {
            text += i % 2 ? seeds[rng() % seeds.size()] : std::string(rng() % 30, byte());
            text += "\n\r"[rng() % 2];
        }
        test::WriteFileBytes(file, text);
        const TVcpReadResult r = ReadVcpFile(file);
        EXPECT_TRUE(r.Code == vcpOk || r.Code == vcpNoColor || (r.Code > 0 && r.Code <= lines + 1)) << r.Code;
        EXPECT_EQ(r.Code == vcpOk, !r.Colors.empty());
    }
}
