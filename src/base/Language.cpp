// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/Language.h"

#include <cstdlib>

namespace vistal {

std::string Compose(const TText& text, TLanguage language, std::initializer_list<std::string_view> args) {
    const std::string_view pattern = text.In(language);
    std::string out;
    out.reserve(pattern.size());
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        const std::size_t n = i + 1 < pattern.size() ? static_cast<std::size_t>(pattern[i + 1] - '1') : 9;
        if (c == '%' && n < args.size()) {
            out += args.begin()[n];
            ++i;
        } else {
            out += c;
        }
    }
    return out;
}

const char* LanguageCode(TLanguage language) {
    return language == TLanguage::English ? "en" : "ja";
}

std::optional<TLanguage> LanguageOfCode(std::string_view code) {
    if (code == "ja") return TLanguage::Japanese;
    if (code == "en") return TLanguage::English;
    return std::nullopt;
}

TLanguage LocaleLanguage(const char* lcAll, const char* lcMessages, const char* lang) {
    for (const char* value : {lcAll, lcMessages, lang}) {
        if (!value || !*value) continue;
        const std::string_view name(value);
        const bool japanese = name.substr(0, 2) == "ja" &&
                              (name.size() == 2 || name[2] == '_' || name[2] == '.' || name[2] == '@');
        return japanese ? TLanguage::Japanese : TLanguage::English;
    }
    return TLanguage::English;
}

TLanguage LocaleLanguage() {
    return LocaleLanguage(std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"), std::getenv("LANG"));
}

} // namespace vistal
