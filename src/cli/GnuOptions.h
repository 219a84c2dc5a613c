// SPDX-License-Identifier: GPL-3.0-or-later
// A command-line parser that follows the GNU conventions of getopt_long, with
// no global state and no messages of its own:
//
//   --name=value and --name value (for an option that needs a value);
//   --name=value only, for an option whose value may be left out;
//   a long name may be shortened to any prefix that names one option alone;
//   -abc is -a -b -c; a short option that needs a value takes the rest of its
//   word (-ofile) or else the next word (-o file), whatever that word is;
//   "--" ends the options; "-" alone and every word not starting with "-" are
//   operands, collected wherever they stand.
#pragma once

#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace vistal::cli {

// A bad command line: exit status 2, one line naming the option.
class ECommandLine : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum class TValue { None, Required, Optional };

struct TOptionDefinition {
    const char* Long; // without "--"
    char Short;       // 0: none
    TValue Value;
};

struct TParsedOption {
    const TOptionDefinition* Definition;
    // As messages name it: "--size" for any spelling of the long option, or
    // "-o" when the short one was used.
    std::string Name;
    std::optional<std::string> Value;
};

class TGnuParser {
public:
    TGnuParser(const std::vector<std::string>& args, std::span<const TOptionDefinition> definitions);

    // The next option in the order given; nothing when all are read. A word
    // that names no option, an ambiguous abbreviation, a missing value or a
    // value given to an option that takes none raises ECommandLine.
    std::optional<TParsedOption> Next();

    // The operands met so far (all of them once Next has returned nothing).
    const std::vector<std::string>& Operands() const { return operands_; }

private:
    TParsedOption Long(const std::string& word);
    TParsedOption Short();
    const TOptionDefinition* FindShort(char c) const;

    const std::vector<std::string>& args_;
    std::span<const TOptionDefinition> definitions_;
    std::size_t index_ = 0;   // next word
    std::size_t shortAt_ = 0; // position in a word of bundled short options, 0: none
    bool optionsEnded_ = false;
    std::vector<std::string> operands_;
};

} // namespace vistal::cli
