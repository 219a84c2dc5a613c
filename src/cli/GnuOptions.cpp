// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/GnuOptions.h"

#include <cstring>

namespace vistal::cli {

TGnuParser::TGnuParser(const std::vector<std::string>& args, std::span<const TOptionDefinition> definitions)
    : args_(args), definitions_(definitions) {}

std::optional<TParsedOption> TGnuParser::Next() {
    if (shortAt_ != 0) return Short();
    while (index_ < args_.size()) {
        const std::string& word = args_[index_];
        if (optionsEnded_ || word.size() < 2 || word[0] != '-') {
            operands_.push_back(word);
            ++index_;
        } else if (word == "--") {
            optionsEnded_ = true;
            ++index_;
        } else if (word[1] == '-') {
            ++index_;
            return Long(word);
        } else {
            shortAt_ = 1;
            return Short();
        }
    }
    return std::nullopt;
}

TParsedOption TGnuParser::Long(const std::string& word) {
    const std::size_t eq = word.find('=');
    const std::string name = word.substr(2, eq == std::string::npos ? std::string::npos : eq - 2);
    const TOptionDefinition* definition = nullptr;
    std::vector<const TOptionDefinition*> candidates;
    if (!name.empty()) {
        for (const TOptionDefinition& s : definitions_) {
            if (name == s.Long) {
                definition = &s;
                break;
            }
            if (std::strncmp(s.Long, name.c_str(), name.size()) == 0) candidates.push_back(&s);
        }
    }
    if (!definition) {
        if (candidates.empty()) throw ECommandLine((name.empty() ? word : "--" + name) + ": unknown option");
        if (candidates.size() > 1) {
            std::string list;
            for (std::size_t i = 0; i < candidates.size(); ++i)
                list += (i == 0                       ? ""
                         : i + 1 == candidates.size() ? " or "
                                                      : ", ") +
                        std::string("--") + candidates[i]->Long;
            throw ECommandLine("--" + name + ": ambiguous option; it could be " + list);
        }
        definition = candidates.front();
    }
    TParsedOption option{definition, std::string("--") + definition->Long, std::nullopt};
    if (eq != std::string::npos) {
        if (definition->Value == TValue::None) throw ECommandLine(option.Name + ": takes no value");
        option.Value = word.substr(eq + 1);
    } else if (definition->Value == TValue::Required) {
        if (index_ >= args_.size()) throw ECommandLine(option.Name + ": needs a value");
        option.Value = args_[index_++];
    }
    return option;
}

const TOptionDefinition* TGnuParser::FindShort(char c) const {
    for (const TOptionDefinition& s : definitions_)
        if (s.Short != 0 && s.Short == c) return &s;
    return nullptr;
}

TParsedOption TGnuParser::Short() {
    const std::string& word = args_[index_];
    const char c = word[shortAt_++];
    const TOptionDefinition* definition = FindShort(c);
    if (!definition) throw ECommandLine(std::string("-") + c + ": unknown option");
    TParsedOption option{definition, std::string("-") + c, std::nullopt};
    const bool wordEnds = shortAt_ >= word.size();
    if (definition->Value != TValue::None) {
        // The rest of the word is the value; a value that must be there may
        // also be the next word.
        if (!wordEnds) {
            option.Value = word.substr(shortAt_);
        } else if (definition->Value == TValue::Required) {
            if (index_ + 1 >= args_.size()) throw ECommandLine(option.Name + ": needs a value");
            option.Value = args_[++index_];
        }
        shortAt_ = 0;
        ++index_;
    } else if (wordEnds) {
        shortAt_ = 0;
        ++index_;
    }
    return option;
}

} // namespace vistal::cli
