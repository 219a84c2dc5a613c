// The program's version and licence notice, shared by the explorer (about box,
// vistal --version) and the renderer (vistal-render --version) so that both
// say the same.
#pragma once

#include <string>
#include <string_view>

namespace vistal {

inline constexpr std::string_view kProgramVersion = "1.9.0";

// The third line of the about box.
inline constexpr std::string_view kAboutNotice = "© 2026 vistal developers — GNU GPL v3 or later";

// What --version prints after the line with the program's name and version.
inline constexpr std::string_view kLicenceText =
    "Copyright (C) 2026 vistal developers\n"
    "License GPLv3+: GNU GPL version 3 or later <https://gnu.org/licenses/gpl.html>.\n"
    "This is free software: you are free to change and redistribute it.\n"
    "There is NO WARRANTY, to the extent permitted by law.\n";

// The whole answer to --version of the named program.
inline std::string VersionText(std::string_view program) {
    std::string text(program);
    text += ' ';
    text += kProgramVersion;
    text += '\n';
    text += kLicenceText;
    return text;
}

} // namespace vistal
