// SPDX-License-Identifier: GPL-3.0-or-later
// The languages of the program's texts. Every text is written in Japanese
// first; the core's texts have their English beside them (TText, in each
// layer's Messages.h), and whoever reports a message says in which language.
// The files the program writes never depend on it.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

namespace vistal {

enum class TLanguage : std::uint8_t { Japanese, English };

// One message in both languages. "%1" to "%9" stand for the arguments of Compose.
struct TText {
    const char* Japanese;
    const char* English;
    constexpr const char* In(TLanguage language) const {
        return language == TLanguage::English ? English : Japanese;
    }
};

// The message in the language, "%1" replaced by the first argument, "%2" by
// the second and so on; any other "%" stays as it is.
std::string Compose(const TText& text, TLanguage language, std::initializer_list<std::string_view> args = {});

// "ja" and "en", as --lang and the settings file write them.
const char* LanguageCode(TLanguage language);
std::optional<TLanguage> LanguageOfCode(std::string_view code);

// The language of the locale: the first of LC_ALL, LC_MESSAGES and LANG that
// is set and not empty decides, Japanese for "ja" and "ja_...", English for
// any other (C and POSIX included) and when none is set.
TLanguage LocaleLanguage(const char* lcAll, const char* lcMessages, const char* lang);
// The same from the environment.
TLanguage LocaleLanguage();

} // namespace vistal
