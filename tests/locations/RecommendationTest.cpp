// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/TextEncoding.h"
#include "engine/vistal_class.h"
#include "locations/ULocationTarget.h"
#include "locations/URecommendation.h"
#include "support/LocationSupport.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <csignal>
#include <random>
#include <sys/resource.h>
#include <sys/stat.h>

using namespace vistal;

namespace {

// Loads bytes written to a file; returns whether the load succeeded.
bool LoadBytes(TRecommendationList& list, const test::TempDir& dir, const std::string& bytes) {
    const std::string file = dir.File("list.vrp");
    test::WriteFileBytes(file, bytes);
    try {
        list.LoadFromFile(file);
        return true;
    } catch (const EAbort&) {
        return false;
    }
}

} // namespace

TEST(Recommendation, ReadsTheFormatLeniently) {
    test::TempDir dir;
    TRecommendationList list;
    // Blank, comment and unknown lines are skipped, as is a tag without a comma.
    ASSERT_TRUE(LoadBytes(list, dir, ""));
    EXPECT_EQ(list.Count(), 0);
    ASSERT_TRUE(LoadBytes(list, dir, "\r\n; comment, with=comma\n  \t \nT=OTHER,Title=x\rT=VISTAL\r\n"));
    EXPECT_EQ(list.Count(), 0);
    ASSERT_TRUE(LoadBytes(list, dir, "T=Vistal,Title=no line end,Cr=0,Ci=0,W=1"));
    EXPECT_EQ(list.Count(), 1);

    ASSERT_TRUE(LoadBytes(list, dir,
                          " t = julia , title = A , ci=0, cr=0, w=1, jr=0.1, ji=0.2\r\n"
                          "T=Vistal,Title=a = b,Cr=-1.5E-3,Ci=+2,W=.5,Jr=9,Ji=9,Pow=9,CM=01,RE=01,LD=2,"
                          "PB=3,DM=3,SO=-1,CL0U=1,CL0=255,ER=8,CO=1.5,BR=-0.25,VCP=Sunset,Memo=x=y,Zz=?\n"
                          "T=VISTAL,Title=t,Cr=0,Ci=0,W=1,Title=later,SO=true,DM=4,PB=7,Memo=,VCP=,I=1,D=1\r"
                          "T=VISTAL,Title=so,Cr=0,Ci=0,W=1,SO=2,DM=99,CL0U=true \x01\x02\r\n"
                          "\x1A"
                          "T=VISTAL,broken after the end-of-file byte"));
    ASSERT_EQ(list.Count(), 4);

    EXPECT_EQ(list.GetFormula(0), fmJulia);
    EXPECT_EQ(list.GetTitle(0), "A");
    EXPECT_EQ(list.GetJuliaSeed(0), (TComplex{0.1, 0.2}));
    EXPECT_EQ(list.GetPow(0), 2);
    EXPECT_EQ(list.GetIteration(0), -1);
    EXPECT_EQ(list.GetDetail(0), -1);
    EXPECT_EQ(list.GetEscape(0), 2.0);
    EXPECT_FALSE(list.GetShadeOff(0));

    EXPECT_EQ(list.GetFormula(1), fmMandelbrot); // Jr and Ji are ignored
    EXPECT_THROW(list.GetJuliaSeed(1), EAbort);
    EXPECT_EQ(list.GetTitle(1), "a=b"); // blanks around "=" vanish, in titles too
    EXPECT_EQ(list.GetCenter(1), (TComplex{-1.5e-3, 2}));
    EXPECT_EQ(list.GetImSpan(1), 0.5);
    EXPECT_EQ(list.GetPow(1), 9);
    EXPECT_EQ(list.GetDrawCompo(1), 0); // "01" is not the text "1"
    EXPECT_EQ(list.GetRepresent(1), 1); // but is the number 1
    EXPECT_EQ(list.GetLightDark(1), 0);
    EXPECT_EQ(list.GetPotentialBright(1), 3);
    EXPECT_EQ(list.GetDrawMode(1), dmSAntiArea); // stored code 3
    EXPECT_TRUE(list.GetShadeOff(1));
    EXPECT_TRUE(list.GetUseColor0(1));
    EXPECT_EQ(list.GetColor0(1), 255);
    EXPECT_EQ(list.GetEscape(1), 8.0);
    EXPECT_EQ(list.GetCorrection(1), 1.5);
    EXPECT_EQ(list.GetBrightnessRaite(1), -0.25);
    EXPECT_EQ(list.GetVcp(1), "Sunset");
    EXPECT_EQ(list.GetMemo(1), "x=y");

    EXPECT_EQ(list.GetTitle(2), "later");
    EXPECT_TRUE(list.GetShadeOff(2));
    EXPECT_EQ(list.GetDrawMode(2), dmFadein); // stored code 4
    EXPECT_EQ(list.GetPotentialBright(2), 0);
    EXPECT_EQ(list.GetMemo(2), "");
    EXPECT_EQ(list.GetIteration(2), 1);

    EXPECT_TRUE(list.GetShadeOff(3));
    EXPECT_EQ(list.GetDrawMode(3), dmNormal);
    EXPECT_FALSE(list.GetUseColor0(3)); // only the exact text "1"
    EXPECT_THROW(list.GetTitle(4), ERangeError);
    EXPECT_EQ(NormalizeLine(" \ta , b\t=\x01 c ,\r"), "a,b=c,");
}

TEST(Recommendation, AFailingLineReportsItsCodeAndKeepsTheOldList) {
    test::TempDir dir;
    TRecommendationList list;
    ASSERT_TRUE(LoadBytes(list, dir, "T=Vistal,Title=kept,Cr=0,Ci=0,W=1\r\n"));
    const std::string ok = ",Title=t,Cr=0,Ci=0,W=1";
    const std::string integer = "の整数ではありません。";
    const struct {
        std::string line;
        int code;
        std::string message = {}; // of the lines in error without a code of their own
    } cases[] = {
        {"T=VISTAL,", 0, "「,」の後に項目がありません。"},
        {"T=Vistal,Title=t,=1,Cr=0,Ci=0,W=1", 0, "項目「=1」に名前がありません。"},
        {"T=Vistal,Title=t,Cr,Ci=0,W=1", 0, "項目「Cr」に = がありません。"},
        {"T=Vistal" + ok + ",Cr=nan", 0, "Cr の値「nan」は数値ではありません。"},
        {"T=Vistal,Title=t,Cr=0,Ci=0,W=1e-x", 0, "W の値「1e-x」は数値ではありません。"},
        {"T=Vistal" + ok + ",I=1.5", 0, "I の値「1.5」は-2147483648～2147483647 " + integer},
        {"T=Vistal" + ok + ",i=99999999999", 0, "i の値「99999999999」は-2147483648～2147483647 " + integer},
        {"T=Vistal" + ok + ",SO=yes", 0, "SO の値「yes」は数値でも True/False でもありません。"},
        {"T=Vistal" + ok + ",Jr=" + std::string(50, 'x'), 0,
         "Jr の値「" + std::string(40, 'x') + "…」は数値ではありません。"},
        {"T=Vistal,Title=,Cr=0,Ci=0,W=1", 110},
        {"T=Vistal,Title=t,Cr=0,W=1", 120},
        {"T=Vistal,Title=t,Ci=0,W=1", 130},
        {"T=Vistal,Title=t,Cr=0,Ci=0", 140},
        {"T=Vistal,Title=t,Cr=0,Ci=0,W=0", 150},
        {"T=Vistal,Title=t,Cr=0,Ci=0,W=-1", 150},
        {"T=Julia" + ok + ",Jr=0", 160},
        {"T=Julia" + ok + ",Ji=0", 170},
        {"T=Vistal" + ok + ",I=0", 180},
        {"T=Vistal" + ok + ",D=0", 190},
        {"T=Vistal" + ok + ",Pow=1", 200},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        // The error is on the fifth physical line: blank and comment lines count.
        EXPECT_FALSE(LoadBytes(list, dir, "T=Vistal,Title=a,Cr=0,Ci=0,W=1\r\n\r\n; c\n\r" + c.line + "\r\n"));
        EXPECT_EQ(list.ErrorCode, c.code);
        if (c.code == 0) {
            EXPECT_EQ(list.ErrorMessage, c.message);
        }
        EXPECT_EQ(list.ErrorLine, 5);
        ASSERT_EQ(list.Count(), 1);
        EXPECT_EQ(list.GetTitle(0), "kept");
    }
    EXPECT_EQ(list.ErrorMessage, "巾乗の値(POW)は２以上でなくてはいけません。");
    EXPECT_EQ(list.ErrorReport("/x/a.vrp"),
              "/x/a.vrp\r\n5 "
              "行目にｴﾗｰがあったので読み込みを中止しました。\r\n巾乗の値(POW)は２以上でなくてはいけません。");
    EXPECT_FALSE(LoadBytes(list, dir, "T=Vistal" + ok + ",Cr=nan\r\n"));
    EXPECT_EQ(list.ErrorText(TLanguage::English), "The value \"nan\" of Cr is not a number.");

    EXPECT_THROW(list.LoadFromFile(dir.File("missing.vrp")), EAbort);
    EXPECT_EQ(list.ErrorCode, 100);
    EXPECT_EQ(list.ErrorReport(dir.File("missing.vrp")), dir.File("missing.vrp") + "\r\nが見つかりません。");
    EXPECT_THROW(list.LoadFromFile(dir.Path().string()), EAbort); // a folder is no list file
    EXPECT_EQ(list.ErrorCode, 100);
    EXPECT_EQ(list.GetTitle(0), "kept");
}

TEST(Recommendation, SortsByTitleWithoutRegardToCase) {
    test::TempDir dir;
    TRecommendationList list;
    ASSERT_TRUE(LoadBytes(list, dir,
                          "T=Vistal,Title=beta,Cr=1,Ci=0,W=1\n"
                          "T=Vistal,Title=Alpha,Cr=2,Ci=0,W=1\n"
                          "T=Vistal,Title=BETA,Cr=3,Ci=0,W=1\n"
                          "T=Vistal,Title=alpha,Cr=4,Ci=0,W=1\n"));
    list.SortByTitle();
    std::string order;
    for (int i = 0; i < list.Count(); ++i)
        order += std::to_string(int(list.GetCenter(i).Re));
    EXPECT_EQ(order, "2413"); // equal titles keep their order
    EXPECT_EQ(CompareTitles("abc", "ABC"), 0);
    EXPECT_LT(CompareTitles("abc", "ABD"), 0);
    EXPECT_GT(CompareTitles("b", "A"), 0);
}

TEST(Recommendation, ComposesTheRecordOfTheView) {
    TVistal e;
    e.SetIteration(1024);
    e.SetDetail(3);
    e.SetEscape(1024);
    e.SetCorrection(0.5);
    e.DrawCompo = 1;
    e.Represent = 1;
    e.PotentialBright = 2;
    EXPECT_EQ(
        ComposeRecordLine({"Home", "Sunset", "memo"}, e).Line,
        "T=Vistal,Title=Home,Cr=-0.8,Ci=0,W=3,I=1024,D=3,Pow=2,DM=0,VCP=Sunset,Memo=memo,CL0U=0,SO=0,BR=0");
    e.DrawMode = dmExtNormal;
    e.UseColor0 = true;
    e.SetColor0(0x123456);
    e.ShadeOff = true;
    e.SetBrightnessRaite(0.25);
    e.Smooth = true; // said only when on
    EXPECT_EQ(ComposeRecordLine({"x", "", ""}, e).Line,
              "T=Vistal,Title=x,Cr=-0.8,Ci=0,W=3,I=1024,D=3,Pow=2,DM=0,CM=1,RE=1,LD=0,ER=1024,CO=0.5,PB=2,"
              "VCP=,Memo=,CL0U=1,CL0=1193046,SO=-1,BR=0.25,SM=1");
    e.DrawMode = dmPotential2;
    e.ChangeFormula();
    e.SetJuliaSeed({-0.75, 1e-10});
    EXPECT_EQ(
        ComposeRecordLine({"j", "", ""}, e)
            .Line.rfind("T=Julia,Title=j,Jr=-0.75,Ji=1E-10,Cr=0,Ci=0,W=4,I=1024,D=3,Pow=2,DM=7,CM=1,", 0),
        0u);
    e.DrawMode = dmFadein;
    EXPECT_NE(ComposeRecordLine({"j", "", ""}, e).Line.find(",DM=0,VCP="), std::string::npos);

    EXPECT_EQ(ComposeRecordLine({"", "", ""}, e).Error, "ﾀｲﾄﾙを指定して下さい");
    // Blanks alone would read back as a record without a title, which fails the whole list.
    EXPECT_EQ(ComposeRecordLine({" \t", "", ""}, e).Error, "ﾀｲﾄﾙを指定して下さい");
    EXPECT_EQ(ComposeRecordLine({"\r\n", "", ""}, e).Error, "ﾀｲﾄﾙを指定して下さい");
    EXPECT_EQ(ComposeRecordLine({"a,b", "", ""}, e).Error, "ﾀｲﾄﾙに , を含むことはできません");
    EXPECT_EQ(ComposeRecordLine({"a", "b,c", "d,e"}, e).Error, "VCPに , を含むことはできません");
    EXPECT_EQ(ComposeRecordLine({"a", "b", "d,e"}, e).Error, "メモに , を含むことはできません");
    // A line break would cut the record in two.
    EXPECT_EQ(
        ComposeRecordLine({"a\r\nT=Vistal", "", "m\n"}, e).Line.rfind("T=Julia,Title=a  T=Vistal,Jr=", 0),
        0u);
}

TEST(Recommendation, ARegisteredViewReadsBackEqual) {
    test::TempDir dir;
    const std::string file = dir.File("new.vrp");
    TVistal e;
    e.ChangeFormula();
    e.SetJuliaSeed({-0.743643887037151, 0.131825904205330});
    e.SetCenter({0.1 / 3, -2.0 / 7});
    e.SetImSpan(1.25e-9);
    e.SetIteration(4096);
    e.SetDetail(7);
    e.SetPow(3);
    e.DrawMode = dmPotential3;
    e.DrawCompo = 1;
    e.Represent = 1;
    e.LightDark = 1;
    e.SetEscape(65536);
    e.SetCorrection(-2.5);
    e.PotentialBright = 3;
    e.UseColor0 = true;
    e.SetColor0(0xABCDEF);
    e.ShadeOff = true;
    e.SetBrightnessRaite(-0.5);
    ASSERT_EQ(RegisterRecord(file, {"びすたる a = b", "青い", "ﾒﾓ"}, e), "");
    TRecommendationList list;
    list.LoadFromFile(file);
    ASSERT_EQ(list.Count(), 1);
    const TRecommendation& r = list.Item(0);
    EXPECT_EQ(r.Title, "びすたる a=b");
    EXPECT_EQ(r.Vcp, "青い");
    EXPECT_EQ(r.Memo, "ﾒﾓ");
    EXPECT_EQ(r.Formula(), fmJulia);
    EXPECT_EQ(r.Position->GetJuliaSeed(), e.JuliaSeed());
    EXPECT_EQ(r.Position->Center.Re, 0.0333333333333333); // 15 significant digits
    EXPECT_EQ(r.Position->Center.Im, -0.285714285714286);
    EXPECT_EQ(r.Position->ImSpan, 1.25e-9);
    EXPECT_EQ(r.Iteration, 4096);
    EXPECT_EQ(r.Detail, 7);
    EXPECT_EQ(r.Pow, 3);
    EXPECT_EQ(r.DrawMode, dmPotential3);
    EXPECT_EQ(r.DrawCompo, 1);
    EXPECT_EQ(r.Represent, 1);
    EXPECT_EQ(r.LightDark, 1);
    EXPECT_EQ(r.Escape, 65536);
    EXPECT_EQ(r.Correction, -2.5);
    EXPECT_EQ(r.PotentialBright, 3);
    EXPECT_TRUE(r.UseColor0);
    EXPECT_EQ(r.Color0, 0xABCDEF);
    EXPECT_TRUE(r.ShadeOff);
    EXPECT_EQ(r.BrightnessRaite, -0.5);
    // A new file is written in Shift-JIS.
    EXPECT_EQ(DetectEncoding(test::ReadFileBytes(file)), TTextEncoding::Cp932);
}

TEST(Recommendation, AppendingNeverChangesTheBytesAlreadyThere) {
    test::TempDir dir;
    TVistal e;
    // A Shift-JIS list whose last line has no line end.
    const std::string sjis = dir.File("sjis.vrp");
    const std::string old = EncodeCp932(
        "T=Vistal,Title=ﾀｲﾄﾙ 一,Cr=0,Ci=0,W=1\r\n; メモ\r\nT=Julia,Title=じゅりあ,Cr=0,Ci=0,W=1,Jr=0,Ji=0");
    test::WriteFileBytes(sjis, old);
    ASSERT_EQ(RegisterRecord(sjis, {"二番目", "", ""}, e), "");
    const std::string line = ComposeRecordLine({"二番目", "", ""}, e).Line;
    EXPECT_EQ(test::ReadFileBytes(sjis), old + "\r\n" + EncodeCp932(line) + "\r\n");
    TRecommendationList list;
    list.LoadFromFile(sjis);
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list.GetTitle(0), "ﾀｲﾄﾙ 一");
    EXPECT_EQ(list.GetTitle(2), "二番目");

    // A UTF-8 list stays UTF-8; a character Shift-JIS cannot hold is refused
    // before anything is written to a Shift-JIS list.
    const std::string utf8 = dir.File("utf8.vrp");
    test::WriteFileBytes(utf8, "T=Vistal,Title=一,Cr=0,Ci=0,W=1\n");
    ASSERT_EQ(RegisterRecord(utf8, {"😀", "", ""}, e), "");
    EXPECT_EQ(test::ReadFileBytes(utf8),
              "T=Vistal,Title=一,Cr=0,Ci=0,W=1\n" + ComposeRecordLine({"😀", "", ""}, e).Line + "\r\n");
    const std::string before = test::ReadFileBytes(sjis);
    EXPECT_NE(RegisterRecord(sjis, {"😀", "", ""}, e).find(sjis + " に書き込めません"), std::string::npos);
    EXPECT_EQ(test::ReadFileBytes(sjis), before);

    EXPECT_EQ(RegisterRecord("", {"t", "", ""}, e), "保存先のVRPﾌｧｲﾙを指定して下さい");
    ASSERT_EQ(::chmod(sjis.c_str(), 0444), 0);
    EXPECT_EQ(RegisterRecord(sjis, {"t", "", ""}, e), "指定してあるVRPﾌｧｲﾙが読み込み専用です");
    EXPECT_EQ(RegisterRecord(sjis, {"", "", ""}, e),
              "指定してあるVRPﾌｧｲﾙが読み込み専用です"); // checked first
    EXPECT_EQ(test::ReadFileBytes(sjis), before);
    const std::string nowhere = dir.File("no/such/folder.vrp");
    EXPECT_EQ(RegisterRecord(nowhere, {"t", "", ""}, e), nowhere + " に書き込めません");
}

// ﾃｽ is C3 BD in Shift-JIS and ý in UTF-8: appended to a list of ASCII alone
// (or to no list), such a record must not make the file read back as UTF-8.
TEST(Recommendation, AShiftJisRecordThatLooksLikeUtf8StaysShiftJis) {
    test::TempDir dir;
    TVistal e;
    const std::string ascii = dir.File("ascii.vrp");
    const std::string old = "T=Vistal,Title=a,Cr=0,Ci=0,W=1"; // no line end either
    test::WriteFileBytes(ascii, old);
    const std::string fresh = dir.File("new.vrp");
    for (const std::string& file : {ascii, fresh}) {
        ASSERT_EQ(RegisterRecord(file, {"ﾃｽ", "", "ﾃｽ"}, e), "") << file;
        ASSERT_EQ(RegisterRecord(file, {"ﾃｽﾃｽ", "", ""}, e), "") << file;
        const std::string bytes = test::ReadFileBytes(file);
        EXPECT_EQ(DetectEncoding(bytes), TTextEncoding::Cp932) << file;
        TRecommendationList list;
        list.LoadFromFile(file);
        ASSERT_GE(list.Count(), 2) << file;
        EXPECT_EQ(list.GetTitle(list.Count() - 2), "ﾃｽ") << file;
        EXPECT_EQ(list.GetMemo(list.Count() - 2), "ﾃｽ") << file;
        EXPECT_EQ(list.GetTitle(list.Count() - 1), "ﾃｽﾃｽ") << file;
    }
    EXPECT_EQ(test::ReadFileBytes(ascii).substr(0, old.size() + 2), old + "\r\n");
}

TEST(Recommendation, AFailedAppendIsUndone) {
    test::TempDir dir;
    const std::string file = dir.File("full.vrp");
    const std::string old = "T=Vistal,Title=a,Cr=0,Ci=0,W=1\r\n";
    test::WriteFileBytes(file, old);
    TVistal e;
    // The file may grow by ten bytes only: the record is written in part, then refused.
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto* oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = old.size() + 10;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const std::string message = RegisterRecord(file, {"long enough title", "", ""}, e);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(message, file + " に書き込めません");
    EXPECT_EQ(test::ReadFileBytes(file), old);
}

TEST(Recommendation, AppliesARecordInOrder) {
    test::TempDir dir;
    test::WriteFileBytes(dir.File("Sunset.vcp"), "FF0000\n#GRAD 0000FF,00FF00,7\n");
    TRecommendationList list;
    ASSERT_TRUE(LoadBytes(list, dir,
                          "T=Julia,Title=j,Cr=0.5,Ci=-0.5,W=2,Jr=0.25,Ji=0.75,I=300,D=4,DM=6,CM=1,RE=1,ER=8,"
                          "LD=1,CO=2,PB=2,VCP=Sunset,CL0U=1,CL0=65280,SO=-1,BR=5,SM=1\n"
                          "T=Vistal,Title=m,Cr=1,Ci=2,W=3,Pow=4,VCP=Sunset\n"));
    TVistal e;
    TGlobal g;
    g.VcpAlways = true;
    g.SetVcpFiles(dir.Path().string());
    g.RestoreVcp = true;
    test::TLoggingTarget t(e, g);
    t.SelectDrawMode(dmBorder);
    t.Log.clear();
    ApplyRecommendation(list.Item(0), t);
    EXPECT_EQ(t.Log, "F P2 I300 D4 V DM6 M1 R1 E8 L1 C B2");
    EXPECT_EQ(e.Formula(), fmJulia);
    EXPECT_EQ(e.Center(), (TComplex{0.5, -0.5}));
    EXPECT_EQ(e.ImSpan(), 2.0);
    EXPECT_EQ(e.JuliaSeed(), (TComplex{0.25, 0.75}));
    EXPECT_EQ(g.PaletteName, dir.File("Sunset.vcp"));
    EXPECT_EQ(e.PaletteColor0(), 0x0000FFu);
    EXPECT_TRUE(e.UseColor0);
    EXPECT_EQ(e.Color0(), 65280u);
    EXPECT_TRUE(e.ShadeOff);
    EXPECT_TRUE(e.Smooth);
    EXPECT_EQ(e.BrightnessRaite(), 1.0);
    EXPECT_EQ(e.Escape(), 8.0);

    // No drawing method: the last basic one; no palette unless RestoreVcp; the
    // record's colour settings replace the view's.
    t.Log.clear();
    g.RestoreVcp = false;
    ApplyRecommendation(list.Item(1), t);
    EXPECT_EQ(t.Log, "F P4 DM2");
    EXPECT_EQ(e.DrawMode, dmBorder);
    EXPECT_EQ(e.Escape(), 8.0); // extended settings stay
    EXPECT_EQ(e.Iteration(), 300);
    EXPECT_FALSE(e.UseColor0);
    EXPECT_FALSE(e.ShadeOff);
    EXPECT_FALSE(e.Smooth);
    EXPECT_EQ(e.BrightnessRaite(), 0.0);
    EXPECT_EQ(e.Center(), (TComplex{1, 2}));
    EXPECT_EQ(e.ImSpan(), 3.0);
}

TEST(Recommendation, RandomAndMutatedLinesNeverBreakTheReader) {
    test::TempDir dir;
    std::mt19937 rng(20240611);
    const std::string pieces[] = {"T=Vistal", "T=Julia", ",",    "=",        "Title",    "Cr",  "Ci",
                                  "W",        "Jr",      "Ji",   "I",        "D",        "Pow", "SO",
                                  "-1",       "1e308",   "0x1",  " ",        "\t",       "\r",  "\n",
                                  "\x1A",     "\xFF",    "\x82", "\xE3\x81", "びすたる", "1.5", "abc"};
    const std::string valid = "T=Julia,Title=t,Cr=0,Ci=0,W=1,Jr=0,Ji=0,I=10,D=2,Pow=3,SO=1,CL0=5";
    TRecommendationList list;
    int loaded = 0;
    for (int round = 0; round < 500; ++round) {
        std::string bytes;
        const int lines = 1 + static_cast<int>(rng() % 4);
        for (int l = 0; l < lines; ++l) {
            std::string line;
            if (rng() % 2) {
                line = valid;
                for (int m = static_cast<int>(rng() % 4); m >= 0; --m) {
                    const std::size_t at = rng() % (line.size() + 1);
                    if (rng() % 2)
                        line.insert(at, pieces[rng() % std::size(pieces)]);
                    else
                        line.erase(at, rng() % 6);
                }
            } else {
                for (int k = static_cast<int>(rng() % 12); k >= 0; --k)
                    line += rng() % 3 ? pieces[rng() % std::size(pieces)] : std::string(1, char(rng()));
            }
            bytes += line + "\r\n";
        }
        if (LoadBytes(list, dir, bytes)) {
            ++loaded;
            for (int i = 0; i < list.Count(); ++i)
                EXPECT_GT(list.GetImSpan(i), 0.0);
        } else {
            EXPECT_TRUE(list.ErrorCode == 0 || (list.ErrorCode >= 110 && list.ErrorCode <= 200));
            EXPECT_GE(list.ErrorLine, 1);
        }
    }
    EXPECT_GT(loaded, 25) << "the test should reach both outcomes";
    EXPECT_LT(loaded, 475);
}
