// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/TextEncoding.h"

#include <gtest/gtest.h>

#include <random>

using namespace vistal;

namespace {
const std::string kVistalCp932 = "\x82\xD1\x82\xB7\x82\xBD\x82\xE9"; // びすたる
} // namespace

TEST(TextEncoding, StrictUtf8) {
    EXPECT_TRUE(IsValidUtf8(""));
    EXPECT_TRUE(IsValidUtf8("plain ASCII\r\n"));
    EXPECT_TRUE(IsValidUtf8("びすたる ﾊﾟﾚｯﾄ \xF0\x9F\x98\x80 \xF4\x8F\xBF\xBF"));
    EXPECT_FALSE(IsValidUtf8("\xC0\x80"));         // overlong NUL
    EXPECT_FALSE(IsValidUtf8("\xE0\x80\xAF"));     // overlong
    EXPECT_FALSE(IsValidUtf8("\xF0\x80\x80\xAF")); // overlong
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));     // surrogate
    EXPECT_FALSE(IsValidUtf8("\xF4\x90\x80\x80")); // above U+10FFFF
    EXPECT_FALSE(IsValidUtf8("\xE3\x81"));         // cut off
    EXPECT_FALSE(IsValidUtf8("\x80"));             // lone continuation byte
    EXPECT_FALSE(IsValidUtf8("\xFF"));
    EXPECT_FALSE(IsValidUtf8(kVistalCp932));
}

TEST(TextEncoding, Detection) {
    EXPECT_EQ(DetectEncoding("\xEF\xBB\xBF[Info]"), TTextEncoding::Utf8Bom);
    EXPECT_EQ(DetectEncoding("[Info]\nAppName=びすたる\n"), TTextEncoding::Utf8);
    EXPECT_EQ(DetectEncoding("AppName=" + kVistalCp932), TTextEncoding::Cp932);
    EXPECT_EQ(DetectEncoding(""), TTextEncoding::Utf8);
}

TEST(TextEncoding, Cp932RoundTrip) {
    EXPECT_EQ(DecodeCp932(kVistalCp932), "びすたる");
    EXPECT_EQ(EncodeCp932("びすたる"), kVistalCp932);
    // Half-width katakana, the code page's own extensions and the ASCII range as it is.
    const std::string text = "ﾊﾟﾚｯﾄ選択で再描画(&N) 標準 白黒 青 ①～髙 C:\\Vistal ~";
    const std::string bytes = EncodeCp932(text);
    EXPECT_EQ(bytes.substr(0, 5), "\xCA\xDF\xDA\xAF\xC4");
    EXPECT_EQ(DecodeCp932(bytes), text);
    EXPECT_EQ(DecodeText(EncodeText(text, TTextEncoding::Cp932), TTextEncoding::Cp932), text);
}

TEST(TextEncoding, BadBytesDecodeToReplacementCharacters) {
    EXPECT_EQ(DecodeCp932("a\x80z"), "a\xEF\xBF\xBDz");
    EXPECT_EQ(DecodeCp932("ab\x82"), "ab\xEF\xBF\xBD"); // lead byte cut off at the end
    EXPECT_EQ(DecodeCp932("\xA0\xFD\x82\xD1"), "\xEF\xBF\xBD\xEF\xBF\xBD"
                                               "び");
    EXPECT_EQ(DecodeText("x\xFFy", TTextEncoding::Utf8), "x\xEF\xBF\xBDy");
    EXPECT_EQ(DecodeText("\xEF\xBB\xBFok", TTextEncoding::Utf8Bom), "ok");
}

// Each bad byte costs the same small amount whatever follows it, so a long
// line of them decodes in about the time of a good line.
TEST(TextEncoding, LongRunsOfBadBytesDecodeInLinearTime) {
    const std::size_t n = 2 << 20;
    std::string bytes(n, '\x80');
    bytes += kVistalCp932;
    const std::string text = DecodeCp932(bytes);
    ASSERT_EQ(text.size(), 3 * n + std::string("びすたる").size());
    EXPECT_EQ(text.substr(0, 6), "\xEF\xBF\xBD\xEF\xBF\xBD");
    EXPECT_EQ(text.substr(3 * n), "びすたる");
}

TEST(TextEncoding, CharactersCp932CannotHold) {
    try {
        EncodeCp932("caf\xC3\xA9");
        FAIL() << "no error";
    } catch (const ETextEncodingError& ex) {
        EXPECT_NE(std::string(ex.what()).find("U+00E9"), std::string::npos) << ex.what();
    }
    EXPECT_THROW(EncodeCp932("\xF0\x9F\x98\x80"), ETextEncodingError);
    // Two characters would come back as others: ¥ as \ and ‾ as ~.
    EXPECT_THROW(EncodeCp932("C:¥Vistal"), ETextEncodingError);
    EXPECT_THROW(EncodeCp932("ｘ‾"), ETextEncodingError);
    // Those that come back as their full-width forms, the only ones CP932 has, are kept.
    EXPECT_EQ(DecodeCp932(EncodeCp932("〜−—‖¢£¬")), "～－―∥￠￡￢");
    EXPECT_THROW(EncodeCp932("bad \xFF"), ETextEncodingError);
    EXPECT_THROW(EncodeText("bad \xFF", TTextEncoding::Utf8), ETextEncodingError);
    EXPECT_EQ(EncodeText("é", TTextEncoding::Utf8Bom), "\xEF\xBB\xBF"
                                                       "é");
}

TEST(TextEncoding, RandomBytesAlwaysDecodeToValidText) {
    std::mt19937 rng(7);
    for (int i = 0; i < 3000; ++i) {
        std::string bytes(rng() % 24, '\0');
        for (char& c : bytes)
            c = static_cast<char>(i % 2 ? rng() & 0xFF : 0x80 | (rng() & 0x7F));
        const std::string text = DecodeText(bytes, DetectEncoding(bytes));
        ASSERT_TRUE(IsValidUtf8(text));
        ASSERT_TRUE(IsValidUtf8(DecodeCp932(bytes)));
    }
}
