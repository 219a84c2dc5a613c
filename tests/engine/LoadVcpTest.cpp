// SPDX-License-Identifier: GPL-3.0-or-later
// The engine's palette files: a file installs its palette and colour 0, a
// file that does not load is reported and changes nothing, one colour alone
// is a warning.
#include "engine/vistal_class.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace vistal;

namespace {

TColor Rgb(int r, int g, int b) {
    return static_cast<TColor>(r | g << 8 | b << 16);
}

class TRecorder : public TErrorReporter {
public:
    void ShowError(const std::string& text) override { Messages.push_back(text); }
    std::vector<std::string> Messages;
};

} // namespace

TEST(LoadVcp, InstallsThePalette) {
    test::TempDir dir;
    const std::string file = dir.File("sunset.vcp");
    test::WriteFileBytes(file, test::kSunsetVcp);
    TVistal v;
    TRecorder r;
    v.ErrorReporter = &r;
    v.LoadVcp(file);
    EXPECT_TRUE(r.Messages.empty());
    EXPECT_EQ(v.NColors(), 10);
    ASSERT_EQ(v.Palette().size(), 11u);
    EXPECT_EQ(v.PaletteColor0(), 0u);
    EXPECT_EQ(v.Palette()[1], Rgb(255, 0, 0));
    EXPECT_EQ(v.Palette()[10], Rgb(0, 255, 0));
    v.SetDetail(1);
    EXPECT_EQ(v.ColorOf(10), Rgb(255, 0, 0)); // (10 div 1) mod 10 + 1

    // 2000 colours load as they are.
    test::WriteFileBytes(file, "#LINE 0,1,0,0,0,0,2000\n");
    v.LoadVcp(file);
    EXPECT_EQ(v.NColors(), 1999);
    EXPECT_EQ(v.Palette().size(), 2000u);
}

TEST(LoadVcp, ErrorsLeaveThePaletteUnchanged) {
    test::TempDir dir;
    TVistal v;
    TRecorder r;
    v.ErrorReporter = &r;
    v.SetPaletteBlue();
    v.SetPaletteColor0(Rgb(1, 2, 3));
    const TPaletteArray before = v.Palette();

    const auto fails = [&](const std::string& name, const std::string& text, const std::string& message) {
        const std::string file = dir.File(name);
        if (!text.empty()) test::WriteFileBytes(file, text);
        r.Messages.clear();
        EXPECT_THROW(v.LoadVcp(file), EAbort);
        EXPECT_EQ(r.Messages, std::vector<std::string>{message});
        EXPECT_EQ(v.Palette(), before);
        EXPECT_EQ(v.NColors(), 255);
        EXPECT_EQ(v.PaletteColor0(), Rgb(1, 2, 3));
    };
    fails("missing.vcp", "", "missing.vcpがありません");
    fails("comments.vcp", "* a\n* b\n\n", "色が１色も指定してありません");
    fails("line7.vcp", "* 1\n* 2\n* 3\n* 4\n* 5\n000000\n#GRAD 000000,FFFFFF,0\n000000\n",
          "7 行目にｴﾗｰがあります");
    fails("binary.vcp", std::string("\x00\x01\xFF\xFE\x80garbage", 11), "1 行目にｴﾗｰがあります");
}

TEST(LoadVcp, SingleColourWarnsAndPaintsEverything) {
    test::TempDir dir;
    const std::string file = dir.File("red.vcp");
    test::WriteFileBytes(file, "FF0000\n");
    TVistal v;
    TRecorder r;
    v.ErrorReporter = &r;
    v.LoadVcp(file);
    EXPECT_EQ(r.Messages, std::vector<std::string>{"色が１色しかないです。もっと増やして下さい"});
    EXPECT_EQ(v.NColors(), 1);
    EXPECT_EQ(v.Palette(), (TPaletteArray{Rgb(255, 0, 0), Rgb(255, 0, 0)}));
    v.SetWidth(24);
    v.SetHeight(16);
    v.Draw();
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 24; ++x)
            ASSERT_EQ(v.DrawBitmap().Pixel(x, y), Rgb(255, 0, 0)) << x << "," << y;

    // Colour 0 follows the file even after a built-in palette is chosen.
    v.SetPaletteStandard();
    v.Draw();
    EXPECT_EQ(v.DrawBitmap().Pixel(12, 8), Rgb(255, 0, 0)); // the centre (-0.8, 0) never escapes
}

TEST(LoadVcp, PalettesOfOtherFormatsInstallAndReport) {
    test::TempDir dir;
    TRecorder recorder;
    TVistal v;
    v.ErrorReporter = &recorder;
    test::WriteFileBytes(dir.File("a.map"), "1 2 3\n4 5 6\n7 8 9\n");
    v.LoadPalette(dir.File("a.map"));
    EXPECT_EQ(v.NColors(), 2);
    EXPECT_EQ(v.PaletteInUse(), (TPaletteArray{Rgb(1, 2, 3), Rgb(4, 5, 6), Rgb(7, 8, 9)}));
    v.SetColor0(Rgb(9, 9, 9));
    v.UseColor0 = true;
    EXPECT_EQ(v.PaletteInUse()[0], Rgb(9, 9, 9)); // the colour 0 a drawing would use

    test::WriteFileBytes(dir.File("a.ugr"), "g { gradient: index=0 color=1 }\n");
    EXPECT_THROW(v.LoadPalette(dir.File("a.ugr"), "h"), EAbort);
    EXPECT_EQ(v.NColors(), 2); // unchanged
    EXPECT_EQ(recorder.Messages, std::vector<std::string>{"ｸﾞﾗﾃﾞｰｼｮﾝ h がありません"});
}
