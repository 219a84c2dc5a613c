// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/Palettes.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <system_error>

namespace vistal::cli {

namespace fs = std::filesystem;

namespace {

bool Absolute(const char* path) {
    return path != nullptr && path[0] == '/';
}

bool IsRegularFile(const fs::path& p) {
    std::error_code ec;
    return fs::is_regular_file(p, ec);
}

} // namespace

bool IsBuiltinPalette(const std::string& name) {
    return std::find(std::begin(kBuiltinPalettes), std::end(kBuiltinPalettes), name) !=
           std::end(kBuiltinPalettes);
}

std::vector<std::string> PaletteFolders(const char* xdgDataHome, const char* home, const char* xdgDataDirs,
                                        const std::string& programFolder) {
    std::vector<std::string> folders;
    const auto add = [&](const fs::path& folder) {
        const std::string s = folder.lexically_normal().string();
        if (std::find(folders.begin(), folders.end(), s) == folders.end()) folders.push_back(s);
    };
    if (Absolute(xdgDataHome))
        add(fs::path(xdgDataHome) / "vistal/palettes");
    else if (Absolute(home))
        add(fs::path(home) / ".local/share/vistal/palettes");
    // Installed, or in the build tree, which keeps a copy there.
    if (!programFolder.empty()) add(fs::path(programFolder) / "../share/vistal/palettes");
    std::string dirs =
        xdgDataDirs != nullptr && xdgDataDirs[0] != '\0' ? xdgDataDirs : "/usr/local/share:/usr/share";
    for (std::size_t at = 0; at <= dirs.size();) {
        const std::size_t end = std::min(dirs.find(':', at), dirs.size());
        const std::string dir = dirs.substr(at, end - at);
        if (Absolute(dir.c_str())) add(fs::path(dir) / "vistal/palettes");
        at = end + 1;
    }
    return folders;
}

std::string ProgramFolder() {
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : exe.parent_path().string();
}

std::vector<TNamedPalette> ListPalettes(const std::vector<std::string>& folders) {
    std::map<std::string, std::string> found;
    for (const std::string& folder : folders) {
        std::error_code ec;
        for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
            const fs::path& p = it->path();
            if (p.extension() != ".vcp" || p.stem().empty() || !IsRegularFile(p)) continue;
            found.emplace(p.stem().string(), p.string()); // the first folder's stays
        }
    }
    std::vector<TNamedPalette> list;
    for (auto& [name, path] : found)
        list.push_back({name, path});
    return list;
}

std::optional<std::string> FindPalette(const std::string& name, const std::vector<std::string>& folders) {
    // A name is one file name: no folder, and nothing a path would cut short.
    if (name.empty() || name.find_first_of(std::string("/\0", 2)) != std::string::npos) return std::nullopt;
    for (const std::string& folder : folders) {
        const fs::path p = fs::path(folder) / (name + ".vcp");
        if (IsRegularFile(p)) return p.string();
    }
    return std::nullopt;
}

} // namespace vistal::cli
