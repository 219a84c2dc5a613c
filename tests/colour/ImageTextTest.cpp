// SPDX-License-Identifier: GPL-3.0-or-later
// The text a picture file keeps: written by the real encoders, read back by
// the structure reader, which must survive any bytes.
#include "colour/ImageText.h"
#include "support/ImageReaders.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <random>
#include <sys/stat.h>

using namespace vistal;

TEST(ImageText, WrittenAndReadBack) {
    test::TempDir dir;
    const TBitmap picture = test::RandomBitmap(33, 21, 7);
    const std::pair<std::string, std::string> cases[] = {{"T=Vistal,Title=plain ASCII,Cr=-0.5", "tEXtvistal"},
                                                         {"T=Julia,Title=夕焼け,Cr=0", "iTXtvistal"}};
    for (const auto& [text, chunk] : cases) {
        TPictureFileOptions options;
        options.Text = text;
        WriteImageFile(picture, dir.File("a.png"), ftPng, options);
        WriteImageFile(picture, dir.File("a.jpg"), ftJpeg, options);
        // The pixels are what they were without the text.
        EXPECT_EQ(test::ReadPng(dir.File("a.png")), picture);
        EXPECT_EQ(test::ReadJpeg(dir.File("a.jpg")).Width(), 33);

        const auto png = ReadImageTextFile(dir.File("a.png"));
        ASSERT_TRUE(png);
        EXPECT_EQ(png->Type, ftPng);
        EXPECT_EQ(png->Width, 33);
        EXPECT_EQ(png->Height, 21);
        EXPECT_EQ(png->Texts, std::vector<std::string>{text});
        // tEXt for ASCII, iTXt for anything else.
        const std::string bytes = test::ReadFileBytes(dir.File("a.png"));
        EXPECT_NE(bytes.find(chunk), std::string::npos);

        const auto jpeg = ReadImageText(test::ReadFileBytes(dir.File("a.jpg")));
        ASSERT_TRUE(jpeg);
        EXPECT_EQ(jpeg->Type, ftJpeg);
        EXPECT_EQ(jpeg->Width, 33);
        EXPECT_EQ(jpeg->Height, 21);
        EXPECT_EQ(jpeg->Texts, std::vector<std::string>{text});
        // Another keyword's texts are not this one's.
        EXPECT_TRUE(ReadImageTextFile(dir.File("a.png"), "Comment")->Texts.empty());
    }
    EXPECT_FALSE(ReadImageText("BM not a picture"));
    EXPECT_FALSE(ReadImageText(""));
}

TEST(ImageText, AnyBytesAreSafe) {
    test::TempDir dir;
    TPictureFileOptions options;
    options.Text = "T=Vistal,Title=x,Cr=0,Ci=0,W=1";
    WriteImageFile(test::RandomBitmap(40, 30, 3), dir.File("a.png"), ftPng, options);
    WriteImageFile(test::RandomBitmap(40, 30, 3), dir.File("a.jpg"), ftJpeg, options);
    for (const char* name : {"a.png", "a.jpg"}) {
        const std::string whole = test::ReadFileBytes(dir.File(name));
        // Cut anywhere: what comes before the cut, never more.
        for (std::size_t n = 0; n <= whole.size(); n += 7) {
            const auto read = ReadImageText(std::string_view(whole).substr(0, n));
            if (read) {
                EXPECT_LE(read->Texts.size(), 1u);
            }
        }
        // Bytes changed at random: a checksum keeps a damaged PNG text out.
        std::mt19937 random(42);
        for (int round = 0; round < 2000; ++round) {
            std::string bytes = whole;
            for (int k = 0; k < 4; ++k)
                bytes[random() % bytes.size()] = static_cast<char>(random());
            const auto read = ReadImageText(bytes);
            if (read && read->Type == ftPng && !read->Texts.empty()) {
                EXPECT_EQ(read->Texts[0], options.Text);
            }
        }
    }
    // Lengths that point far beyond the end, and long runs of fill bytes.
    EXPECT_TRUE(ReadImageText(std::string("\x89PNG\r\n\x1a\n\x7f\xff\xff\xfftEXt", 16))->Texts.empty());
    EXPECT_TRUE(ReadImageText("\xff\xd8" + std::string(1 << 20, '\xff'))->Texts.empty());

    // Only a regular file is read; a FIFO does not hold the reader up.
    ASSERT_EQ(::mkfifo(dir.File("pipe.png").c_str(), 0644), 0);
    EXPECT_THROW(ReadImageTextFile(dir.File("pipe.png")), EImageFileError);
    EXPECT_THROW(ReadImageTextFile(dir.File("missing.png")), EImageFileError);
}
