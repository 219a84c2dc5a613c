// SPDX-License-Identifier: GPL-3.0-or-later
// Palettes found by name: the VCP files NAME.vcp in the palette folders.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace vistal::cli {

// The built-in palettes, by the names the renderer gives them.
inline constexpr const char* kBuiltinPalettes[] = {"standard", "mono", "blue"};
bool IsBuiltinPalette(const std::string& name);

// The folders searched for NAME.vcp, in order, each once:
// $XDG_DATA_HOME/vistal/palettes (or ~/.local/share/vistal/palettes), the
// folder share/vistal/palettes beside the program's folder (an installation's
// or the build tree's), then vistal/palettes in each of $XDG_DATA_DIRS (or
// /usr/local/share:/usr/share).
// Null or empty variables count as unset; relative ones are ignored.
std::vector<std::string> PaletteFolders(const char* xdgDataHome, const char* home, const char* xdgDataDirs,
                                        const std::string& programFolder);

// The folder of the running program (from /proc/self/exe); empty if unknown.
std::string ProgramFolder();

struct TNamedPalette {
    std::string Name; // file name without ".vcp"
    std::string Path;
};

// Every NAME.vcp of the folders, by name; of equal names the first folder's.
std::vector<TNamedPalette> ListPalettes(const std::vector<std::string>& folders);

// The file of a palette name, from the first folder that has one; a name with
// a "/" or a NUL names none.
std::optional<std::string> FindPalette(const std::string& name, const std::vector<std::string>& folders);

} // namespace vistal::cli
