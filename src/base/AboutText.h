// SPDX-License-Identifier: GPL-3.0-or-later
// The program's version, licence notice and addresses, shared by the explorer
// (about box, vistal --help and --version) and the renderer (vistal-render
// --help and --version) so that both say the same. The version and the
// addresses come from the top CMakeLists.txt.
#pragma once

#include <string>
#include <string_view>

namespace vistal {

inline constexpr std::string_view kProgramVersion = VISTAL_VERSION;

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

// The last lines of --help of both programs: where to report bugs and where
// the project lives.
inline std::string ReportingText() {
    return std::string("Report bugs to: ") + VISTAL_BUG_URL + "\nvistal home page: <" + VISTAL_HOME_URL +
           ">\n";
}

} // namespace vistal
