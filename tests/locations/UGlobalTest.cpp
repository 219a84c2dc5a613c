// SPDX-License-Identifier: GPL-3.0-or-later
#include "locations/UGlobal.h"
#include "base/IniFile.h"
#include "base/UType.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <sys/resource.h>

using namespace vistal;
namespace fs = std::filesystem;

namespace {

std::string Value(const std::string& file, const char* section, const char* key) {
    return TIniFile(file).ReadString(section, key, "<missing>");
}

} // namespace

TEST(Settings, FileName) {
    EXPECT_EQ(SettingsFileName("/x/conf", "/home/u"), "/x/conf/Zelt/Vistal.ini");
    EXPECT_EQ(SettingsFileName(nullptr, "/home/u"), "/home/u/.config/Zelt/Vistal.ini");
    EXPECT_EQ(SettingsFileName("", "/home/u"), "/home/u/.config/Zelt/Vistal.ini");
    EXPECT_EQ(SettingsFileName("relative", "/home/u"), "/home/u/.config/Zelt/Vistal.ini");
    EXPECT_NE(SettingsFileName().find("Zelt/Vistal.ini"), std::string::npos);
}

TEST(Settings, FirstStartHasTheDefaults) {
    test::TempDir dir;
    const std::string file = dir.File("Zelt/Vistal.ini");
    TGlobal g;
    EXPECT_EQ(g.Adjust(), 1); // a fresh object is all zero; the accessor clamps
    const TShellSettings shell = g.LoadSettings(file);
    EXPECT_EQ(g.StartDrawMode, dmNormal);
    EXPECT_EQ(g.RefreshRate, 5);
    EXPECT_EQ(g.RubberBand, 0);
    EXPECT_TRUE(g.Half);
    EXPECT_FALSE(g.Adjusted);
    EXPECT_EQ(g.Adjust(), 1);
    EXPECT_TRUE(shell.RePalette);
    EXPECT_FALSE(shell.Smooth);
    EXPECT_TRUE(shell.ShowStatusBar);
    EXPECT_TRUE(shell.ShowToolBar);
    EXPECT_EQ(g.BmpFiles(), "");
    EXPECT_EQ(g.VcpFiles(), "");
    EXPECT_FALSE(g.BmpAlways);
    EXPECT_FALSE(g.VcpAlways);
    EXPECT_FALSE(g.AutoLoad);
    EXPECT_EQ(g.AutoLoadFile, "");
    EXPECT_EQ(g.CurrentVrpFile, "");
    EXPECT_FALSE(g.RestoreVcp);
    EXPECT_FALSE(g.TitleSorted);
    EXPECT_FALSE(g.KabegamiMode);
    EXPECT_EQ(g.KabegamiFileName, "_vistal.bmp");
    EXPECT_FALSE(fs::exists(file)); // reading creates nothing

    g.SaveSettings(file, shell); // the folders are created
    EXPECT_EQ(test::ReadFileBytes(file), "[Draw]\nMode=0\nRefreshRate=5\nRubberBand=0\nHalf=1\nAdjust=1\n"
                                         "Adjusted=0\nRePalette=1\nSmooth=0\n\n"
                                         "[View]\nShowStatusbar=1\nShowToolbar=1\n\n"
                                         "[Folder]\nBmpFiles=\nBmpAlways=0\nVcpFiles=\nVcpAlways=0\n\n"
                                         "[VRP]\nAutoLoad=0\nAutoLoadFile=\nRestoreVcp=0\nTitleSorted=0\n\n"
                                         "[Kabegami]\nMode=0\nFileName=_vistal.bmp\n");
}

TEST(Settings, StoredValuesAndTheirOddities) {
    test::TempDir dir;
    const std::string file = dir.File("Vistal.ini");
    test::WriteFileBytes(file, "; kept\n"
                               "[draw]\nmode=3\nrefreshrate=abc\nRubberBand=7\nHalf=0\nAdjust=9\nAdjusted=2\n"
                               "RePalette=0\n"
                               "[VIEW]\nShowStatusBar=0\nSHOWTOOLBAR=1\n"
                               "[Folder]\nBmpFiles=/pictures\nBmpAlways=0\nVcpFiles=/palettes\nVcpAlways=1\n"
                               "[VRP]\nAutoLoad=1\nAutoLoadFile=/lists/お勧め.VRP\n"
                               "[Kabegami]\nMode=2\nFileName=\n"
                               "[Unknown]\nStays=yes\n");
    TGlobal g;
    const TShellSettings shell = g.LoadSettings(file);
    EXPECT_EQ(g.StartDrawMode, dmSAntiArea); // stored 3 is simple anti-aliasing
    EXPECT_EQ(g.RefreshRate, 5);             // not a number: the default
    EXPECT_EQ(g.RubberBand, 0);
    EXPECT_FALSE(g.Half);
    EXPECT_EQ(g.Adjust(), 5);
    EXPECT_TRUE(g.Adjusted); // any non-zero number is true
    EXPECT_FALSE(shell.RePalette);
    EXPECT_FALSE(shell.ShowStatusBar);
    EXPECT_TRUE(shell.ShowToolBar);
    EXPECT_EQ(g.BmpFiles(), ""); // BmpAlways is off
    EXPECT_EQ(g.VcpFiles(), "/palettes");
    EXPECT_TRUE(g.AutoLoad);
    EXPECT_EQ(g.AutoLoadFile, "/lists/お勧め.VRP");
    EXPECT_EQ(g.CurrentVrpFile, "/lists/お勧め.VRP");
    EXPECT_FALSE(g.KabegamiMode); // only 1 is the fixed name
    EXPECT_EQ(g.KabegamiFileName, "");

    g.StartDrawMode = dmFadein;
    g.SaveSettings(file, shell);
    EXPECT_EQ(Value(file, "Draw", "Mode"), "4");
    EXPECT_EQ(Value(file, "Draw", "Adjust"), "5");
    EXPECT_EQ(Value(file, "Draw", "Adjusted"), "1");
    EXPECT_EQ(Value(file, "Draw", "RubberBand"), "0");
    EXPECT_EQ(Value(file, "Folder", "BmpFiles"), "");
    EXPECT_EQ(Value(file, "Folder", "VcpFiles"), "/palettes");
    EXPECT_EQ(Value(file, "Kabegami", "Mode"), "0");
    EXPECT_EQ(Value(file, "Unknown", "Stays"), "yes");
    const std::string text = test::ReadFileBytes(file);
    EXPECT_EQ(text.rfind("; kept\n[draw]\nmode=4\n", 0), 0u) << text; // updated in place
    EXPECT_NE(text.find("ShowStatusBar=0\n"), std::string::npos);     // an existing name keeps its spelling
    EXPECT_NE(text.find("AutoLoadFile=/lists/お勧め.VRP\n"), std::string::npos);

    g.StartDrawMode = dmSAntiArea;
    g.SaveSettings(file, shell);
    EXPECT_EQ(Value(file, "Draw", "Mode"), "3");
}

TEST(Settings, RoundTrip) {
    test::TempDir dir;
    const std::string file = dir.File("Vistal.ini");
    TGlobal g;
    g.SetAdjust(3);
    g.Adjusted = true;
    g.SetBmpFiles("/home/u/絵");
    g.BmpAlways = true;
    g.SetVcpFiles("/home/u/pal");
    g.VcpAlways = true;
    g.StartDrawMode = dmBorder;
    g.Half = false;
    g.KabegamiMode = true;
    g.KabegamiFileName = "/home/u/wall paper.bmp";
    g.AutoLoad = true;
    g.AutoLoadFile = "/home/u/list.VRP";
    g.RefreshRate = 0;
    g.RubberBand = 1;
    g.RestoreVcp = true;
    g.TitleSorted = true;
    g.Language = TLanguage::English;
    g.SaveSettings(file, TShellSettings{false, true, false, true});

    TGlobal h;
    const TShellSettings shell = h.LoadSettings(file);
    EXPECT_EQ(h.Adjust(), 3);
    EXPECT_TRUE(h.Adjusted);
    EXPECT_EQ(h.BmpFiles(), "/home/u/絵");
    EXPECT_EQ(h.VcpFiles(), "/home/u/pal");
    EXPECT_EQ(h.StartDrawMode, dmBorder);
    EXPECT_FALSE(h.Half);
    EXPECT_TRUE(h.KabegamiMode);
    EXPECT_EQ(h.KabegamiFileName, "/home/u/wall paper.bmp");
    EXPECT_TRUE(h.AutoLoad);
    EXPECT_EQ(h.CurrentVrpFile, "/home/u/list.VRP");
    EXPECT_EQ(h.RefreshRate, 0);
    EXPECT_EQ(h.RubberBand, 1);
    EXPECT_TRUE(h.RestoreVcp);
    EXPECT_TRUE(h.TitleSorted);
    EXPECT_FALSE(shell.ShowStatusBar);
    EXPECT_TRUE(shell.ShowToolBar);
    EXPECT_FALSE(shell.RePalette);
    EXPECT_EQ(h.Language, TLanguage::English);
    EXPECT_TRUE(shell.Smooth);
    EXPECT_EQ(TIniFile(file).Encoding(), TTextEncoding::Utf8); // a new settings file is UTF-8
    // Back to the locale's language: the value stays, empty.
    h.Language.reset();
    h.SaveSettings(file, shell);
    EXPECT_EQ(Value(file, "View", "Language"), "");
    EXPECT_EQ(g.LoadSettings(file).ShowToolBar, true);
    EXPECT_EQ(g.Language, std::nullopt);
}

TEST(Settings, BrokenFilesNeverStopTheProgram) {
    test::TempDir dir;
    TGlobal g;
    g.Half = false;
    // Unreadable (a folder), random bytes, values out of range: defaults.
    fs::create_directory(dir.File("folder.ini"));
    EXPECT_TRUE(g.LoadSettings(dir.File("folder.ini")).ShowToolBar);
    EXPECT_TRUE(g.Half);
    test::WriteFileBytes(dir.File("junk.ini"),
                         std::string("\x00\xFF[Draw\n=\n", 10) +
                             "[Draw]\nRefreshRate=-4\nHalf=\x80\nAdjust=99999999999999\n");
    g.LoadSettings(dir.File("junk.ini"));
    EXPECT_EQ(g.RefreshRate, 5);
    EXPECT_TRUE(g.Half);
    EXPECT_EQ(g.Adjust(), 1);
    test::WriteFileBytes(dir.File("big.ini"), "[Draw]\nRefreshRate=2147483647\n");
    g.LoadSettings(dir.File("big.ini"));
    EXPECT_EQ(g.RefreshRate, 5); // × 100 ms would overflow the timer interval
}

TEST(Settings, FailedSavesReportAndKeepTheOldFile) {
    test::TempDir dir;
    TGlobal g;
    g.LoadSettings(dir.File("none.ini"));
    test::WriteFileBytes(dir.File("file"), "");
    EXPECT_THROW(g.SaveSettings(dir.File("file/Zelt/Vistal.ini"), {}), ESettingsError);

    // A Shift-JIS settings file cannot take a character that Shift-JIS lacks.
    const std::string file = dir.File("Vistal.ini");
    const std::string old = "[Folder]\nBmpFiles=\x8A\x47\nBmpAlways=1\n"; // 絵
    test::WriteFileBytes(file, old);
    g.LoadSettings(file);
    EXPECT_EQ(g.BmpFiles(), "絵");
    g.SetBmpFiles("/home/u/café");
    try {
        g.SaveSettings(file, {});
        FAIL() << "no error";
    } catch (const ESettingsError& ex) {
        EXPECT_NE(std::string(ex.what()).find(file), std::string::npos) << ex.what();
    }
    EXPECT_EQ(test::ReadFileBytes(file), old);

    // A disk that fills up while the file is replaced, played by a file size
    // limit in a child process.
    const std::string full = dir.File("full/Vistal.ini");
    fs::create_directories(dir.File("full"));
    const std::string before = "[Draw]\nMode=2\n[Other]\nKeep=this\n";
    test::WriteFileBytes(full, before);
    const int status = test::InChild([&] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{40, 40};
        setrlimit(RLIMIT_FSIZE, &limit);
        try {
            TGlobal().SaveSettings(full, {});
        } catch (const ESettingsError& ex) {
            return std::string(ex.what()).find("File too large") != std::string::npos ? 0 : 1;
        }
        return 2;
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(test::ReadFileBytes(full), before);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.File("full")), fs::directory_iterator()), 1);
}
