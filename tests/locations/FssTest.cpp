// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/TextEncoding.h"
#include "engine/vistal_class.h"
#include "locations/UFss.h"
#include "support/LocationSupport.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <random>
#include <sys/resource.h>

using namespace vistal;
namespace fs = std::filesystem;

namespace {

const std::string kMandelbrot = "[Info]\nFormat=1\nAppName=びすたる\nAppVersion=1.9.0\nAppSection=Vistal\n"
                                "[Data]\nCenterRe=-0.5\nCenterIm=0.25\nImSpan=1.5\nFormula=Mandelbrot\n"
                                "Iteration=500\nEscape=2\n";

std::string Replace(std::string text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    if (at == std::string::npos) throw std::logic_error("no " + from);
    return text.replace(at, from.size(), to);
}

// Reads the text as a file; the error report when that fails, else "".
std::string Load(TFssVistal& f, const test::TempDir& dir, const std::string& text) {
    const std::string file = dir.File("spot.fss");
    test::WriteFileBytes(file, EncodeCp932(text));
    try {
        f.LoadFromFile(file);
    } catch (const std::exception&) {
        return f.ErrorMessage.empty() ? "(no report)" : f.ErrorMessage;
    }
    return "";
}

} // namespace

TEST(Fss, ReadErrorsNameTheItem) {
    test::TempDir dir;
    const std::string julia = Replace(kMandelbrot, "Formula=Mandelbrot", "Formula=Julia\nJuliaSeedRe=0.3");
    const std::string app = kMandelbrot + "[Vistal]\n";
    const struct {
        std::string text, report;
    } cases[] = {
        {Replace(kMandelbrot, "Format=1", "Format=2"), "形式不正です。Section=[Info] Item=[Format]"},
        {Replace(kMandelbrot, "Formula=Mandelbrot", "Formula=Newton"),
         "形式不正です。Section=[Data] Item=[Formula]"},
        {julia, "値が設定されていません。Section=[Data] Item=[JuliaSeedIm]"},
        {Replace(kMandelbrot, "Escape=2", ""), "形式不正です。Section=[Data] Item=[Escape]"},
        {Replace(kMandelbrot, "CenterRe=-0.5", ""), "値が設定されていません。Section=[Data] Item=[CenterRe]"},
        {Replace(kMandelbrot, "ImSpan=1.5", "ImSpan=1,5"), "形式不正です。Section=[Data] Item=[ImSpan]"},
        {Replace(kMandelbrot, "ImSpan=1.5", "ImSpan=1e308"), "形式不正です。Section=[Data] Item=[ImSpan]"},
        {Replace(kMandelbrot, "Iteration=500", "Iteration=0"),
         "形式不正です。Section=[Data] Item=[Iteration]"},
        {app + "Correction=abc\n", "形式不正です。Section=[Vistal] Item=[Correction]"},
        {app + "Pow=1\n", "形式不正です。Section=[Vistal] Item=[Pow]"},
        {app + "DrawMode=x\n", "形式不正です。Section=[Vistal] Item=[DrawMode]"},
    };
    for (const auto& c : cases) {
        TFssVistal f;
        EXPECT_EQ(Load(f, dir, c.text), c.report) << c.text;
    }
    TFssVistal f;
    EXPECT_THROW(f.LoadFromFile(dir.File("missing.fss")), EConvertError);
    EXPECT_EQ(f.ErrorMessage, "形式不正です。Section=[Info] Item=[Format]");

    // The line of the item at fault, or the reader's own words when the file
    // cannot be read at all, set apart from the item in either language.
    Load(f, dir, Replace(kMandelbrot, "ImSpan=1.5", "ImSpan=1,5"));
    EXPECT_EQ(f.ErrorLine, 9);
    EXPECT_THROW(f.LoadFromFile(dir.Path().string()), std::runtime_error);
    const std::string folder = "Cannot read " + dir.Path().string() + ": not a regular file (a folder)";
    EXPECT_EQ(f.ErrorMessage, folder + "; Section=[Info] Item=[Format]");
    EXPECT_EQ(f.FileError(), folder);
    f.Language = TLanguage::English;
    EXPECT_THROW(f.LoadFromFile(dir.Path().string()), std::runtime_error);
    EXPECT_EQ(f.ErrorMessage, folder + "; Section=[Info] Item=[Format]");
}

TEST(Fss, ReadsLeniently) {
    test::TempDir dir;
    TFssVistal f;
    ASSERT_EQ(
        Load(f, dir,
             Replace(kMandelbrot, "Formula=Mandelbrot", "Formula=julia\nJuliaSeedRe=0.3\nJuliaSeedIm=-1E-3") +
                 "[Vistal]\nDetail=\nPow=3\nVcp=青\nDrawMode=3\nDrawCompo=01\nPotentialBright=9\n"
                 "Color0=0xFF\nUseColor0=abc\nShadeOff=2\nBrightnessRaite=abc\nCorrection=\n"),
        "");
    EXPECT_EQ(f.Formula, fmJulia);
    EXPECT_EQ(f.JuliaSeedIm, -1e-3);
    EXPECT_EQ(f.ImSpan, 1.5); // as in the file; applying doubles it
    EXPECT_EQ(f.Iteration, 500);
    EXPECT_EQ(f.Detail, -1);
    EXPECT_EQ(f.Pow, 3);
    EXPECT_EQ(f.Vcp, "青");
    EXPECT_EQ(f.DrawMode, dmSAntiArea);
    EXPECT_EQ(f.DrawCompo, 1);
    EXPECT_EQ(f.PotentialBright, 0);
    EXPECT_EQ(f.Color0, 255);
    EXPECT_FALSE(f.UseColor0);
    EXPECT_TRUE(f.ShadeOff);
    EXPECT_EQ(f.BrightnessRaite, 0.0);

    TFssVistal g;
    ASSERT_EQ(Load(g, dir, Replace(kMandelbrot, "Formula=Mandelbrot", "Formula=") + "[vistal]\ndrawmode=4\n"),
              "");
    EXPECT_EQ(g.Formula, fmMandelbrot);
    EXPECT_EQ(g.DrawMode, dmFadein);

    // Another program's file: the common part only.
    TFssVistal h;
    ASSERT_EQ(
        Load(h, dir,
             Replace(kMandelbrot, "AppName=びすたる", "AppName=Other") + "[Vistal]\nDetail=5\nDrawMode=6\n"),
        "");
    EXPECT_EQ(h.CenterIm, 0.25);
    EXPECT_EQ(h.Detail, -1);
    EXPECT_EQ(h.DrawMode, dmNormal);
}

TEST(Fss, SavesAndOpensTheView) {
    test::TempDir dir;
    const std::string file = dir.File("spot.fss");
    TVistal e;
    e.ChangeFormula();
    e.SetJuliaSeed({-0.8, 0.156});
    e.SetCenter({0.125, -1e-7});
    e.SetImSpan(3);
    e.SetIteration(2000);
    e.SetDetail(4);
    e.SetPow(3);
    e.DrawMode = dmPotential2;
    e.DrawCompo = 1;
    e.SetEscape(8192);
    e.SetCorrection(1.5);
    e.PotentialBright = 1;
    e.SetColor0(0x0000FF);
    e.UseColor0 = true;
    e.SetBrightnessRaite(0.5);
    ASSERT_EQ(SaveLocationFile(file, e, dir.File("Sunset.vcp")), "");
    EXPECT_EQ(
        DecodeText(test::ReadFileBytes(file), TTextEncoding::Cp932),
        "[Info]\nFormat=1\nAppName=びすたる\nAppVersion=1.9.0\nAppSection=Vistal\n\n"
        "[Data]\nCenterRe=0.125\nCenterIm=-1E-7\nImSpan=1.5\nFormula=Julia\nIteration=2000\nEscape=8192\n"
        "JuliaSeedRe=-0.8\nJuliaSeedIm=0.156\n\n"
        "[Vistal]\nDetail=4\nPow=3\nVcp=Sunset\nDrawCompo=1\nDrawMode=7\nRepresent=0\nLightDark=0\n"
        "Correction=1.5\nPotentialBright=1\nColor0=255\nUseColor0=1\nShadeOff=0\nBrightnessRaite=0.5\n");

    test::WriteFileBytes(dir.File("Sunset.vcp"), "FF0000\n#GRAD 0000FF,00FF00,7\n");
    TVistal v;
    TGlobal global;
    global.VcpAlways = true;
    global.SetVcpFiles(dir.Path().string());
    test::TLoggingTarget t(v, global);
    const TLocationResult result = OpenLocationFile(file, t);
    ASSERT_TRUE(result.Ok) << result.Message;
    EXPECT_EQ(t.Log, "F I2000 D4 P3 V DM7 M1 R0 E8192 L0 C B1");
    EXPECT_EQ(v.Formula(), fmJulia);
    EXPECT_EQ(v.Center(), e.Center());
    EXPECT_EQ(v.ImSpan(), 3.0);
    EXPECT_EQ(v.JuliaSeed(), e.JuliaSeed());
    EXPECT_EQ(v.Correction(), 1.5);
    EXPECT_EQ(v.Color0(), 0x0000FFu);
    EXPECT_TRUE(v.UseColor0);
    EXPECT_EQ(v.BrightnessRaite(), 0.5);
    EXPECT_EQ(global.PaletteName, dir.File("Sunset.vcp"));

    // A Mandelbrot view saved over it leaves the old seed lines, which reading ignores.
    TVistal m;
    ASSERT_EQ(SaveLocationFile(file, m, "標準"), "");
    const std::string text = DecodeText(test::ReadFileBytes(file), TTextEncoding::Cp932);
    EXPECT_NE(text.find("Formula=Mandelbrot\n"), std::string::npos);
    EXPECT_NE(text.find("JuliaSeedRe=-0.8\nJuliaSeedIm=0.156\n"), std::string::npos);
    EXPECT_NE(text.find("Vcp=標準\n"), std::string::npos);
    // Without extended drawing the last basic method returns and the escape radius stays.
    t.SelectDrawMode(dmSearch);
    t.Log.clear();
    ASSERT_TRUE(OpenLocationFile(file, t).Ok);
    EXPECT_EQ(t.Log, "F I256 D1 P2 DM1");
    EXPECT_EQ(v.Formula(), fmMandelbrot);
    EXPECT_EQ(v.ImSpan(), 3.0);
    EXPECT_EQ(v.Escape(), 8192.0);
    EXPECT_FALSE(v.UseColor0);

    // Smooth colouring adds its key; a stepped view saved over it turns it off.
    m.Smooth = true;
    ASSERT_EQ(SaveLocationFile(file, m, "標準"), "");
    EXPECT_NE(test::ReadFileBytes(file).find("BrightnessRaite=0\nSmooth=1\n"), std::string::npos);
    ASSERT_TRUE(OpenLocationFile(file, t).Ok);
    EXPECT_TRUE(v.Smooth);
    m.Smooth = false;
    ASSERT_EQ(SaveLocationFile(file, m, "標準"), "");
    EXPECT_NE(test::ReadFileBytes(file).find("Smooth=0\n"), std::string::npos);
    ASSERT_TRUE(OpenLocationFile(file, t).Ok);
    EXPECT_FALSE(v.Smooth);
}

TEST(Fss, FailuresAreReportedAndKeepWhatWasDone) {
    test::TempDir dir;
    TVistal e;
    const std::string nowhere = dir.File("no/such/spot.fss");
    EXPECT_EQ(SaveLocationFile(nowhere, e, ""), nowhere + " に書き込めません。Section=[Info] Item=[Format]");
    TFssVistal f;
    f.Format = "2";
    EXPECT_THROW(f.SaveToFile(dir.File("a.fss")), EConvertError);
    EXPECT_EQ(f.ErrorMessage, "[2]は指定できません。Section=[Info] Item=[Format]");

    // A palette file that does not load is reported by the engine; the steps
    // before it stay done and the caller has nothing more to show.
    const std::string file = dir.File("spot.fss");
    test::WriteFileBytes(file, kMandelbrot + "[Vistal]\nVcp=bad\n");
    test::WriteFileBytes(dir.File("bad.vcp"), "nonsense\n");
    TGlobal global;
    global.VcpAlways = true;
    global.SetVcpFiles(dir.Path().string());
    e.SetIteration(256);
    TEngineTarget t(e, global);
    const TLocationResult r = OpenLocationFile(file, t);
    EXPECT_FALSE(r.Ok);
    EXPECT_EQ(r.Message, "");
    EXPECT_EQ(e.Iteration(), 500);
    EXPECT_EQ(e.ImSpan(), 3.0);

    const TLocationResult missing = OpenLocationFile(dir.File("none.fss"), t);
    EXPECT_FALSE(missing.Ok);
    EXPECT_EQ(missing.Message, "形式不正です。Section=[Info] Item=[Format]");
}

// A disk that fills up while the file is replaced, played by a file size limit
// in a child process: the failure is reported and the old file stays as it was.
TEST(Fss, AFullDiskKeepsTheOldFile) {
    test::TempDir dir;
    const std::string file = dir.File("spot.fss");
    const std::string old = EncodeCp932(kMandelbrot);
    test::WriteFileBytes(file, old);
    const int status = test::InChild([&] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{64, 64};
        setrlimit(RLIMIT_FSIZE, &limit);
        TVistal e;
        const std::string message = SaveLocationFile(file, e, "Sunset");
        return message.find(file + " に書き込めません") == 0 ? 0 : 1;
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(test::ReadFileBytes(file), old);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 1);
}

TEST(Fss, RandomFilesNeverBreakTheReader) {
    test::TempDir dir;
    std::mt19937 rng(77);
    const std::string pieces[] = {"[Info]",
                                  "[Data]",
                                  "[Vistal]",
                                  "Format=1",
                                  "AppName=びすたる",
                                  "AppSection=Vistal",
                                  "CenterRe=",
                                  "CenterIm=",
                                  "ImSpan=",
                                  "Formula=Julia",
                                  "Escape=",
                                  "JuliaSeedRe=",
                                  "JuliaSeedIm=",
                                  "Detail=",
                                  "Pow=",
                                  "Color0=0x",
                                  "1",
                                  "-1",
                                  "1e999",
                                  "abc",
                                  "=",
                                  "\n",
                                  "\r",
                                  ";",
                                  " ",
                                  "\xFF",
                                  "\x82",
                                  "0xFFFFFFFFF"};
    int loaded = 0;
    for (int round = 0; round < 400; ++round) {
        std::string bytes = round % 2 ? kMandelbrot + "[Vistal]\n" : "";
        for (int k = static_cast<int>(rng() % 8); k >= 0; --k) {
            if (rng() % 4 == 0 && !bytes.empty())
                bytes.erase(rng() % bytes.size(), rng() % 8);
            else
                bytes.insert(bytes.empty() ? 0 : rng() % bytes.size(), pieces[rng() % std::size(pieces)]);
        }
        const std::string file = dir.File("r.fss");
        test::WriteFileBytes(file, bytes);
        TFssVistal f;
        try {
            f.LoadFromFile(file);
            ++loaded;
        } catch (const std::exception&) {
            EXPECT_NE(f.ErrorMessage.find("Section=["), std::string::npos);
        }
    }
    EXPECT_GT(loaded, 20) << "the test should reach both outcomes";
}
