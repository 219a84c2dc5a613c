// SPDX-License-Identifier: GPL-3.0-or-later
#include "colour/ImageFile.h"
#include "base/UType.h"
#include "support/ImageReaders.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <png.h>

using namespace vistal;
namespace fs = std::filesystem;

namespace {

// Smooth colours, which JPEG keeps closely.
TBitmap Gradient(int w, int h) {
    TBitmap b(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            b.SetPixel(x, y,
                       TColor(std::min(40 + 2 * x, 255)) | TColor(std::min(200 - y, 255)) << 8 | 0x800000);
    return b;
}

int MaxDifference(const TBitmap& a, const TBitmap& b) {
    int worst = 0;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            for (int shift : {0, 8, 16})
                worst = std::max(worst, std::abs(int((a.Pixel(x, y) >> shift) & 0xFF) -
                                                 int((b.Pixel(x, y) >> shift) & 0xFF)));
    return worst;
}

std::size_t EntriesIn(const fs::path& dir) {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir), {}));
}

} // namespace

TEST(ImageFile, BmpAndPngReadBackExactly) {
    test::TempDir dir;
    // Widths 1, 2 and 3 need 3, 2 and 1 padding bytes per BMP row; 67 mixes eight-pixel
    // groups with single pixels; 301 × 300 is written in several blocks, split inside rows.
    for (auto [w, h] : {std::pair{1, 1}, {2, 3}, {3, 2}, {5, 7}, {64, 33}, {67, 4}, {301, 300}}) {
        const TBitmap picture = test::RandomBitmap(w, h, w * 1000 + h);
        const std::string size = std::to_string(w) + "x" + std::to_string(h);
        const std::string bmp = dir.File(size + ".bmp"), png = dir.File(size + ".png");
        WriteBmpFile(picture, bmp);
        WritePngFile(picture, png);
        EXPECT_EQ(test::ReadBmp24(bmp), picture) << size;
        unsigned format = 0;
        EXPECT_EQ(test::ReadPng(png, &format), picture) << size;
        EXPECT_EQ(format, unsigned(PNG_FORMAT_RGB)) << size; // 8-bit RGB, no alpha
    }
}

TEST(ImageFile, JpegIsBaselineColourAndClose) {
    test::TempDir dir;
    for (auto [w, h] : {std::pair{1, 1}, {3, 2}, {17, 9}, {120, 80}}) {
        const TBitmap picture = w == 1 ? TBitmap(1, 1, 0x3080C0) : Gradient(w, h);
        const std::string file = dir.File(std::to_string(w) + ".jpg");
        WriteJpegFile(picture, file);
        test::TJpegInfo info;
        const TBitmap back = test::ReadJpeg(file, &info);
        ASSERT_EQ(back.Width(), w);
        ASSERT_EQ(back.Height(), h);
        EXPECT_EQ(info.components, 3);
        EXPECT_FALSE(info.progressive);
        EXPECT_FALSE(info.arithmetic);
        EXPECT_LE(MaxDifference(back, picture), 6) << w << "x" << h;
    }
}

TEST(ImageFile, ReplacesAnExistingFileWithTheUsualPermissions) {
    test::TempDir dir;
    const std::string file = dir.File("over.png");
    test::WriteFileBytes(file, "old");
    WritePngFile(Gradient(5, 5), file);
    EXPECT_EQ(test::ReadPng(file), Gradient(5, 5));
    EXPECT_EQ(EntriesIn(dir.Path()), 1u);
    const mode_t mask = umask(0);
    umask(mask);
    struct stat st;
    ASSERT_EQ(stat(file.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0666 & ~mask);
}

TEST(ImageFile, FailedWritesLeaveNothingBehind) {
    test::TempDir dir;
    const TBitmap picture = Gradient(4, 4);
    using Writer = void (*)(const TBitmap&, const std::string&);
    for (Writer write : {Writer(WriteBmpFile), Writer(WritePngFile), Writer(WriteJpegFile)}) {
        // A missing folder.
        const std::string missing = dir.File("missing/pic");
        try {
            write(picture, missing);
            ADD_FAILURE() << "no error for a missing folder";
        } catch (const EImageFileError& e) {
            EXPECT_NE(std::string(e.what()).find(missing), std::string::npos) << e.what();
            EXPECT_NE(std::string(e.what()).find("No such file"), std::string::npos) << e.what();
        }
        // A picture without pixels, which the PNG and JPEG encoders refuse.
        const std::string kept = dir.File("kept");
        test::WriteFileBytes(kept, "old");
        if (write != Writer(WriteBmpFile)) {
            EXPECT_THROW(write(TBitmap(), kept), EImageFileError);
        }
        EXPECT_EQ(test::ReadFileBytes(kept), "old");
        EXPECT_EQ(EntriesIn(dir.Path()), 1u);
    }
    // JPEG cannot hold more than 65500 pixels in a row: a clear error, not an exit.
    try {
        WriteJpegFile(TBitmap(65501, 1), dir.File("wide.jpg"));
        ADD_FAILURE() << "no error for a too wide JPEG";
    } catch (const EImageFileError& e) {
        EXPECT_NE(std::string(e.what()).find("wide.jpg"), std::string::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find("65500"), std::string::npos) << e.what();
    }
    EXPECT_EQ(EntriesIn(dir.Path()), 1u);
}

// A file system that fills up in the middle of a picture, played by a file
// size limit in a child process: the error names the file, the old file of that
// name survives and no temporary file stays behind. The file fills up within
// the first block written, or after several.
TEST(ImageFile, FullDiskKeepsTheOldFile) {
    test::TempDir dir;
    const TBitmap picture = test::RandomBitmap(700, 700, 7); // far more than the limits in any format
    using Writer = void (*)(const TBitmap&, const std::string&);
    int round = 0;
    for (rlim_t size : {rlim_t{20000}, rlim_t{300000}}) {
        for (Writer write : {Writer(WriteBmpFile), Writer(WritePngFile), Writer(WriteJpegFile)}) {
            const std::string file = dir.File("full" + std::to_string(round++));
            test::WriteFileBytes(file, "old");
            const pid_t child = fork();
            ASSERT_GE(child, 0);
            if (child == 0) {
                std::signal(SIGXFSZ, SIG_IGN);
                rlimit limit{size, size};
                setrlimit(RLIMIT_FSIZE, &limit);
                int status = 0;
                try {
                    write(picture, file);
                    status = 10; // no error
                } catch (const EImageFileError& e) {
                    if (std::string(e.what()).find(file) == std::string::npos)
                        status = 11;
                    else if (std::string(e.what()).find("File too large") == std::string::npos)
                        status = 12;
                } catch (...) {
                    status = 13;
                }
                std::_Exit(status);
            }
            int status = 0;
            ASSERT_EQ(waitpid(child, &status, 0), child);
            ASSERT_TRUE(WIFEXITED(status));
            EXPECT_EQ(WEXITSTATUS(status), 0) << "writer " << round << ", limit " << size;
            EXPECT_EQ(test::ReadFileBytes(file), "old");
            EXPECT_EQ(EntriesIn(dir.Path()), std::size_t(round));
        }
    }
}

TEST(ImageFile, FileTypeOfFilterAndAddExtension) {
    // The extension decides, in any letter case; then the filter.
    EXPECT_EQ(FileTypeOfFilter("pic", 2), ftPng);
    EXPECT_EQ(AddExtension("pic", ftPng), "pic.png");
    EXPECT_EQ(FileTypeOfFilter("pic.JPG", 1), ftJpeg);
    EXPECT_EQ(AddExtension("pic.JPG", ftJpeg), "pic.JPG");
    EXPECT_EQ(FileTypeOfFilter("a/pic.Jpeg", 4), ftJpeg);
    EXPECT_EQ(FileTypeOfFilter("a/pic.bmp", 3), ftBmp);
    EXPECT_EQ(FileTypeOfFilter("a/pic.gif", 3), ftJpeg);
    EXPECT_EQ(AddExtension("pic", ftJpeg), "pic.jpg");
    EXPECT_EQ(AddExtension("pic", ftBmp), "pic.bmp");
    // A "." in a folder name is no extension, but still keeps the name as it is.
    EXPECT_EQ(FileTypeOfFilter("my.folder/pic", 2), ftPng);
    EXPECT_EQ(AddExtension("my.folder/pic", ftPng), "my.folder/pic");
    EXPECT_FALSE(FileTypeOfName("my.png/pic"));
    EXPECT_FALSE(FileTypeOfName("pic.png.gz"));
    EXPECT_EQ(FileTypeOfName("pic.tar.PNG"), ftPng);

    for (const char* name : {"pic.gif", "pic", "x.png/pic"}) {
        try {
            FileTypeOfFilter(name, 4);
            ADD_FAILURE() << name;
        } catch (const ERangeError& e) {
            EXPECT_STREQ(e.what(), "Invalid index number(4) at GetFileType");
        }
    }
    EXPECT_THROW(FileTypeOfFilter("pic", 0), ERangeError);
}
