// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/IniFile.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <random>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace vistal;
namespace fs = std::filesystem;

namespace {

std::size_t FilesIn(const fs::path& dir) {
    std::size_t n = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(dir))
        ++n;
    return n;
}

} // namespace

TEST(IniFile, ReadsTheDialect) {
    test::TempDir dir;
    const std::string file = dir.File("a.fss");
    test::WriteFileBytes(file, "orphan=before any section\r\n"
                               "; comment=not a key\r\n"
                               "[Info]\r\n"
                               "Format = 1 \r\n"
                               "  AppName\t=\tびすたる\r\n"
                               "Empty=\r\n"
                               "no equals sign\r\n"
                               "[ Data ]   trailing words\r\n"
                               "CenterRe=-0.5\r\n"
                               "Format=2\r\n"
                               "[info]\r\n"
                               "Late=3\r\n"
                               "Format=9"); // no final line end
    TIniFile ini(file);
    EXPECT_EQ(ini.Encoding(), TTextEncoding::Utf8);
    EXPECT_EQ(ini.ReadString("Info", "Format"), "1");
    EXPECT_EQ(ini.ReadString("INFO", "format"), "1"); // names ignore case
    EXPECT_EQ(ini.ReadString("Info", "AppName"), "びすたる");
    EXPECT_EQ(ini.ReadString("Info", "Empty", "default"), "");
    EXPECT_TRUE(ini.ValueExists("Info", "Empty"));
    EXPECT_EQ(ini.ReadString("Info", "Missing"), "");
    EXPECT_EQ(ini.ReadString("Info", "Missing", "default"), "default");
    EXPECT_EQ(ini.ReadString("Info", "Late"), "3"); // a repeated section is searched too
    EXPECT_EQ(ini.ReadString("Data", "CenterRe"), "-0.5");
    EXPECT_EQ(ini.ReadString("Data", "Format"), "2");
    EXPECT_FALSE(ini.ValueExists("Info", "; comment"));
    EXPECT_FALSE(ini.ValueExists("", "orphan"));
    EXPECT_FALSE(ini.SectionExists("Nowhere"));
    EXPECT_TRUE(ini.SectionExists("data"));
    EXPECT_EQ(ini.LineOf("Data", "CenterRe"), 9u);
    EXPECT_EQ(ini.LineOf("info", "late"), 12u);
    EXPECT_EQ(ini.LineOf("Info", "Missing"), 0u);
}

// A file is read up to kMaxSize, and never written beyond it, where it could
// not be read back.
TEST(IniFile, TheSizeLimitHoldsBothWays) {
    test::TempDir dir;
    const std::string file = dir.File("big.ini");
    test::WriteFileBytes(file, "");
    fs::resize_file(file, TIniFile::kMaxSize + 1);
    try {
        TIniFile ini(file);
        ADD_FAILURE() << "read beyond the limit";
    } catch (const EIniFileError& ex) {
        EXPECT_EQ(std::string(ex.what()),
                  "Cannot read " + file + ": the file is larger than 64 MiB, the limit for INI files");
    }
    fs::resize_file(file, TIniFile::kMaxSize - 9);
    TIniFile ini(file);
    ini.WriteString("A", "k", ""); // "\n\n[A]\nk=\n" ends at the limit
    EXPECT_THROW(ini.WriteString("A", "k", "1"), EIniFileError);
}

TEST(IniFile, UpdatesInPlaceAndKeepsEverythingElse) {
    test::TempDir dir;
    const std::string file = dir.File("a.fss");
    test::WriteFileBytes(file, "; written by hand\n"
                               "[Info]\n"
                               "format = 1   ; stays a value\n"
                               "AppName=other\n"
                               "\n"
                               "[Other]\n"
                               "Keep=this\n"
                               "\n"
                               "[Data]\n"
                               "CenterRe=0\n");
    TIniFile ini(file);
    ini.WriteString("INFO", "Format", "2");         // in place, the key keeps its spelling
    ini.WriteString("Info", "AppVersion", "1.9.0"); // end of its section, before the blank line
    ini.WriteString("Vistal", "Pow", "3");          // new section at the end
    ini.WriteString("Data", "CenterIm", " 0.5 ");
    ini.UpdateFile();
    EXPECT_EQ(test::ReadFileBytes(file), "; written by hand\n"
                                         "[Info]\n"
                                         "format=2\n"
                                         "AppName=other\n"
                                         "AppVersion=1.9.0\n"
                                         "\n"
                                         "[Other]\n"
                                         "Keep=this\n"
                                         "\n"
                                         "[Data]\n"
                                         "CenterRe=0\n"
                                         "CenterIm= 0.5 \n"
                                         "\n"
                                         "[Vistal]\n"
                                         "Pow=3\n");
    TIniFile again(file);
    EXPECT_EQ(again.ReadString("data", "centerim"), "0.5");
    EXPECT_EQ(again.ReadString("Other", "Keep"), "this");
    EXPECT_EQ(FilesIn(dir.Path()), 1u); // no temporary file left
}

TEST(IniFile, LineEndsOfTheFileAreKept) {
    test::TempDir dir;
    const std::string file = dir.File("crlf.ini");
    test::WriteFileBytes(file, "[A]\r\nx=1"); // CR LF, no final line end
    TIniFile ini(file);
    ini.WriteString("A", "y", "2");
    ini.WriteString("B", "z", "3");
    ini.UpdateFile();
    EXPECT_EQ(test::ReadFileBytes(file), "[A]\r\nx=1\r\ny=2\r\n\r\n[B]\r\nz=3\r\n");

    test::WriteFileBytes(file, "[A]\rx=1\r");
    TIniFile cr(file);
    EXPECT_EQ(cr.ReadString("A", "x"), "1");
    cr.WriteString("A", "x", "22");
    cr.UpdateFile();
    EXPECT_EQ(test::ReadFileBytes(file), "[A]\rx=22\r");
}

TEST(IniFile, CreatesAMissingFileInCp932) {
    test::TempDir dir;
    const std::string file = dir.File("new.fss");
    TIniFile ini(file);
    EXPECT_FALSE(ini.Exists());
    EXPECT_EQ(ini.ReadString("Info", "AppName"), "");
    ini.WriteString("Info", "Format", "1");
    ini.WriteString("Info", "AppName", "びすたる");
    ini.WriteString("Data", "Formula", "Mandelbrot");
    ini.UpdateFile();
    EXPECT_EQ(test::ReadFileBytes(file), "[Info]\nFormat=1\nAppName=\x82\xD1\x82\xB7\x82\xBD\x82\xE9\n\n"
                                         "[Data]\nFormula=Mandelbrot\n");
    TIniFile back(file);
    EXPECT_EQ(back.Encoding(), TTextEncoding::Cp932);
    EXPECT_EQ(back.ReadString("Info", "AppName"), "びすたる");
}

TEST(IniFile, AnExistingFileKeepsItsEncoding) {
    test::TempDir dir;
    const std::string utf8 = dir.File("utf8.ini");
    test::WriteFileBytes(utf8, "[A]\nname=白黒\n");
    TIniFile a(utf8);
    a.WriteString("A", "other", "青 é");
    a.UpdateFile();
    EXPECT_EQ(test::ReadFileBytes(utf8), "[A]\nname=白黒\nother=青 é\n");

    const std::string bom = dir.File("bom.ini");
    test::WriteFileBytes(bom, "\xEF\xBB\xBF[A]\nx=1\n");
    TIniFile b(bom);
    EXPECT_EQ(b.Encoding(), TTextEncoding::Utf8Bom);
    EXPECT_EQ(b.ReadString("A", "x"), "1");
    b.WriteString("A", "y", "標準");
    b.UpdateFile();
    EXPECT_EQ(test::ReadFileBytes(bom), "\xEF\xBB\xBF[A]\nx=1\ny=標準\n");

    // A Shift-JIS file keeps even bytes that are no character, on lines it does not change.
    const std::string sjis = dir.File("sjis.ini");
    const std::string odd = "[A]\nname=\x94\x92\x8D\x95\nodd=\x80\xFF\n";
    test::WriteFileBytes(sjis, odd);
    TIniFile c(sjis);
    EXPECT_EQ(c.Encoding(), TTextEncoding::Cp932);
    EXPECT_EQ(c.ReadString("A", "name"), "白黒");
    c.WriteString("A", "name", "青");
    c.UpdateFile();
    EXPECT_EQ(test::ReadFileBytes(sjis), "[A]\nname=\x90\xC2\nodd=\x80\xFF\n");
}

// The encoding is decided once: a Shift-JIS file stays Shift-JIS even when an
// update removes every byte that told it apart from UTF-8 (ﾃｽ is C3 BD in
// Shift-JIS, which is also ý in UTF-8), and a file of ASCII alone is in the
// encoding its owner gives new files.
TEST(IniFile, TheEncodingSurvivesUpdates) {
    test::TempDir dir;
    const std::string file = dir.File("settings.ini");
    // BmpFiles=C:\ﾃｽ, VcpFiles=C:\ﾌｧｲﾙ (B2 D9 is no UTF-8).
    test::WriteFileBytes(file, "[Folder]\nBmpFiles=C:\\\xC3\xBD\nVcpFiles=C:\\\xCC\xA7\xB2\xD9\n");
    for (int round = 0; round < 3; ++round) {
        TIniFile ini(file, TTextEncoding::Utf8);
        ASSERT_EQ(ini.Encoding(), TTextEncoding::Cp932) << round;
        ASSERT_EQ(ini.ReadString("Folder", "BmpFiles"), "C:\\ﾃｽ") << round;
        ini.WriteString("Folder", "VcpFiles", round == 1 ? "D:\\ｱ" : "D:\\pal");
        ini.UpdateFile();
    }
    EXPECT_EQ(TIniFile(file).ReadString("Folder", "VcpFiles"), "D:\\pal");

    const std::string ascii = dir.File("ascii.fss");
    test::WriteFileBytes(ascii, "[Info]\nFormat=1\n");
    TIniFile fss(ascii);
    EXPECT_EQ(fss.Encoding(), TTextEncoding::Cp932);
    fss.WriteString("Info", "Title", "ﾃｽ");
    fss.UpdateFile();
    EXPECT_EQ(TIniFile(ascii).ReadString("Info", "Title"), "ﾃｽ");
    EXPECT_EQ(TIniFile(ascii, TTextEncoding::Utf8).ReadString("Info", "Title"), "ﾃｽ");
    test::WriteFileBytes(ascii, "[Info]\nFormat=1\n");
    EXPECT_EQ(TIniFile(ascii, TTextEncoding::Utf8).Encoding(), TTextEncoding::Utf8);
}

// Shift-JIS holds 〜 only as ～: a name written with either finds the line
// it reads back from, and ¥ (which would come back as \) is refused.
TEST(IniFile, NamesAsShiftJisHoldsThem) {
    test::TempDir dir;
    const std::string file = dir.File("wave.fss");
    test::WriteFileBytes(file, "[A]\n" + EncodeCp932("～") + "=1\n");
    TIniFile ini(file);
    ini.WriteString("A", "〜", "2〜");
    EXPECT_THROW(ini.WriteString("A", "x", "C:¥pal"), ETextEncodingError);
    ini.UpdateFile();
    EXPECT_EQ(test::ReadFileBytes(file), "[A]\n" + EncodeCp932("～=2～") + "\n");
    EXPECT_EQ(TIniFile(file).ReadString("A", "～"), "2～");
}

TEST(IniFile, RefusalsComeBeforeAnythingIsWritten) {
    test::TempDir dir;
    const std::string file = dir.File("a.fss");
    const std::string before = "[Info]\nAppName=\x82\xD1\x82\xB7\x82\xBD\x82\xE9\n";
    test::WriteFileBytes(file, before);
    TIniFile ini(file);
    EXPECT_THROW(ini.WriteString("Info", "AppName", "caf\xC3\xA9"), ETextEncodingError);
    EXPECT_THROW(ini.WriteString("Info", "Comment", "two\nlines"), EIniFileError);
    EXPECT_THROW(ini.WriteString("In]fo", "Key", "v"), EIniFileError);
    EXPECT_THROW(ini.WriteString("Info", "a=b", "v"), EIniFileError);
    EXPECT_THROW(ini.WriteString("Info", " Key", "v"), EIniFileError);
    EXPECT_THROW(ini.WriteString("Info", "", "v"), EIniFileError);
    EXPECT_THROW(ini.WriteString("", "Key", "v"), EIniFileError);
    ini.UpdateFile();
    EXPECT_EQ(test::ReadFileBytes(file), before);
}

TEST(IniFile, FailedWritesLeaveTheOldFile) {
    test::TempDir dir;
    // A disk that fills up, played by a file size limit in a child process.
    const std::string file = dir.File("full.fss");
    test::WriteFileBytes(file, "[A]\nx=1\n");
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{10, 10};
        setrlimit(RLIMIT_FSIZE, &limit);
        TIniFile ini(file);
        ini.WriteString("A", "x", "a value longer than the limit");
        try {
            ini.UpdateFile();
        } catch (const EIniFileError& ex) {
            std::_Exit(std::string(ex.what()) == file + " に書き込めません" && ex.Reason() == "File too large"
                           ? 0
                           : 2);
        }
        std::_Exit(1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_EQ(test::ReadFileBytes(file), "[A]\nx=1\n");
    EXPECT_EQ(FilesIn(dir.Path()), 1u);

    TIniFile nowhere(dir.File("no/such/folder.fss"));
    nowhere.WriteString("A", "x", "1");
    EXPECT_THROW(nowhere.UpdateFile(), EIniFileError);
    EXPECT_THROW(TIniFile(dir.Path().string()), EIniFileError); // a folder is no INI file
}

TEST(IniFile, KeepsPermissionsAndLinks) {
    test::TempDir dir;
    const std::string real = dir.File("real.ini");
    const std::string link = dir.File("link.ini");
    test::WriteFileBytes(real, "[A]\nx=1\n");
    ::chmod(real.c_str(), 0640);
    fs::create_symlink("real.ini", link);
    TIniFile ini(link);
    ini.WriteString("A", "x", "2");
    ini.UpdateFile();
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(test::ReadFileBytes(real), "[A]\nx=2\n");
    struct stat st {};
    ASSERT_EQ(::stat(real.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
}

TEST(IniFile, LongLines) {
    test::TempDir dir;
    const std::string file = dir.File("long.ini");
    const std::string value(1 << 20, 'v');
    test::WriteFileBytes(file, "[A]\nlong=" + value + "\n; " + std::string(1 << 20, ';') + "\nshort=1");
    TIniFile ini(file);
    EXPECT_EQ(ini.ReadString("A", "long"), value);
    ini.WriteString("A", "short", "2");
    ini.UpdateFile();
    EXPECT_EQ(TIniFile(file).ReadString("A", "long"), value);
    EXPECT_EQ(TIniFile(file).ReadString("A", "short"), "2");
}

TEST(IniFile, FuzzedFilesReadAndUpdateCleanly) {
    std::mt19937 rng(99);
    test::TempDir dir;
    const std::string file = dir.File("fuzz.ini");
    const std::vector<std::string> pieces = {
        "[Info]", "[data]",   "Format=1", "key = value", "; c",          "=",
        "[",      "]",        "\r\n",     "\n",          "\r",           " ",
        "x=",     "びすたる", "\x82\xD1", "\x80",        "\xEF\xBB\xBF", "\t"};
    for (int i = 0; i < 2000; ++i) {
        std::string text;
        const int n = static_cast<int>(rng() % 12);
        for (int k = 0; k < n; ++k) {
            if (rng() % 4 == 0)
                text += static_cast<char>(rng() & 0xFF);
            else
                text += pieces[rng() % pieces.size()];
        }
        test::WriteFileBytes(file, text);
        TIniFile ini(file);
        const std::string keep = ini.ReadString("data", "key");
        // CP932 cannot hold every character; any other outcome is a value that reads back.
        try {
            ini.WriteString("Info", "Format", "値");
        } catch (const ETextEncodingError&) {
            FAIL() << "both encodings hold this character";
        }
        ASSERT_EQ(ini.ReadString("Info", "Format"), "値") << i;
        ASSERT_EQ(ini.ReadString("data", "key"), keep) << i;
        if (i % 8 != 0) continue; // every file write syncs to disk: only some go there
        ini.UpdateFile();
        TIniFile back(file);
        ASSERT_EQ(back.ReadString("Info", "Format"), "値") << i;
        ASSERT_EQ(back.ReadString("data", "key"), keep) << i;
    }
}
