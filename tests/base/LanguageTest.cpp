// SPDX-License-Identifier: GPL-3.0-or-later
// Which language the locale asks for, and a message put together in each.
#include "base/Language.h"

#include <gtest/gtest.h>

namespace vistal {

TEST(Language, TheFirstLocaleVariableSetDecides) {
    EXPECT_EQ(LocaleLanguage("ja_JP.UTF-8", nullptr, "C"), TLanguage::Japanese);
    EXPECT_EQ(LocaleLanguage("", "ja", "en_US.UTF-8"), TLanguage::Japanese);
    EXPECT_EQ(LocaleLanguage(nullptr, "", "ja_JP.eucJP"), TLanguage::Japanese);
    EXPECT_EQ(LocaleLanguage("C", nullptr, "ja_JP.UTF-8"), TLanguage::English);
    for (const char* other : {"C", "POSIX", "C.UTF-8", "en_GB.UTF-8", "jam", ""})
        EXPECT_EQ(LocaleLanguage(nullptr, nullptr, other), TLanguage::English) << other;
    EXPECT_EQ(LocaleLanguage(nullptr, nullptr, nullptr), TLanguage::English);
}

TEST(Language, ComposesInEitherLanguage) {
    constexpr TText text{"%2 の %1 行目", "line %1 of %2 (100%)"};
    EXPECT_EQ(Compose(text, TLanguage::Japanese, {"3", "a.vcp"}), "a.vcp の 3 行目");
    EXPECT_EQ(Compose(text, TLanguage::English, {"3", "a.vcp"}), "line 3 of a.vcp (100%)");
    EXPECT_EQ(LanguageOfCode(LanguageCode(TLanguage::English)), TLanguage::English);
    EXPECT_EQ(LanguageOfCode("fr"), std::nullopt);
}

} // namespace vistal
