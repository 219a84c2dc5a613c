// SPDX-License-Identifier: GPL-3.0-or-later
#include "locations/UGlobal.h"

#include "base/IniFile.h"
#include "base/UFormat.h"
#include "base/UType.h"

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <pwd.h>
#include <unistd.h>
#include <vector>

namespace vistal {

namespace {

// Reading from a file that may not have been readable: then every value is
// missing and reads as its default.
class TSettingsReader {
public:
    explicit TSettingsReader(const std::string& fileName) {
        try {
            ini_.emplace(fileName, TTextEncoding::Utf8);
        } catch (const std::exception&) {
            ini_.reset();
        }
    }

    int Integer(const char* section, const char* key, int defaultValue) const {
        if (!ini_ || !ini_->ValueExists(section, key)) return defaultValue;
        const auto v = ParseInteger(ini_->ReadString(section, key));
        if (!v || *v < INT_MIN || *v > INT_MAX) return defaultValue;
        return static_cast<int>(*v);
    }
    bool Boolean(const char* section, const char* key, bool defaultValue) const {
        return Integer(section, key, defaultValue ? 1 : 0) != 0;
    }
    std::string String(const char* section, const char* key, const char* defaultValue) const {
        return ini_ ? ini_->ReadString(section, key, defaultValue) : std::string(defaultValue);
    }

private:
    std::optional<TIniFile> ini_;
};

const char* Bool(bool b) {
    return b ? "1" : "0";
}

} // namespace

TShellSettings TGlobal::LoadSettings(const std::string& fileName) {
    const TSettingsReader r(fileName);
    TShellSettings shell;
    StartDrawMode = DrawModeFromCode(r.Integer("Draw", "Mode", 0));
    // The repaint interval RefreshRate × 100 ms must be a valid timer interval.
    RefreshRate = r.Integer("Draw", "RefreshRate", 5);
    if (RefreshRate < 0 || RefreshRate > INT_MAX / 100) RefreshRate = 5;
    const int rubberBand = r.Integer("Draw", "RubberBand", 0);
    RubberBand = rubberBand == 1 ? 1 : 0;
    Half = r.Boolean("Draw", "Half", true);
    SetAdjust(r.Integer("Draw", "Adjust", 1));
    Adjusted = r.Boolean("Draw", "Adjusted", false);
    shell.RePalette = r.Boolean("Draw", "RePalette", true);
    shell.Smooth = r.Boolean("Draw", "Smooth", false);
    shell.ShowStatusBar = r.Boolean("View", "ShowStatusBar", true);
    shell.ShowToolBar = r.Boolean("View", "ShowToolBar", true);
    Language = LanguageOfCode(r.String("View", "Language", ""));
    SetBmpFiles(r.String("Folder", "BmpFiles", ""));
    BmpAlways = r.Boolean("Folder", "BmpAlways", false);
    SetVcpFiles(r.String("Folder", "VcpFiles", ""));
    VcpAlways = r.Boolean("Folder", "VcpAlways", false);
    AutoLoad = r.Boolean("VRP", "AutoLoad", false);
    AutoLoadFile = r.String("VRP", "AutoLoadFile", "");
    CurrentVrpFile = AutoLoadFile;
    RestoreVcp = r.Boolean("VRP", "RestoreVcp", false);
    TitleSorted = r.Boolean("VRP", "TitleSorted", false);
    KabegamiMode = r.Integer("Kabegami", "Mode", 0) == 1;
    KabegamiFileName = r.String("Kabegami", "FileName", "_vistal.bmp");
    return shell;
}

void TGlobal::SaveSettings(const std::string& fileName, const TShellSettings& shell) const {
    const std::string failed = "Cannot save the settings to " + fileName + ": ";
    const std::filesystem::path folder = std::filesystem::path(fileName).parent_path();
    std::error_code ec;
    if (!folder.empty()) std::filesystem::create_directories(folder, ec);
    if (ec) throw ESettingsError(failed + ec.message());
    try {
        TIniFile ini(fileName, TTextEncoding::Utf8);
        ini.WriteString("Draw", "Mode", std::to_string(DrawModeToCode(StartDrawMode)));
        ini.WriteString("Draw", "RefreshRate", std::to_string(RefreshRate));
        ini.WriteString("Draw", "RubberBand", std::to_string(RubberBand));
        ini.WriteString("Draw", "Half", Bool(Half));
        ini.WriteString("Draw", "Adjust", std::to_string(Adjust()));
        ini.WriteString("Draw", "Adjusted", Bool(Adjusted));
        ini.WriteString("Draw", "RePalette", Bool(shell.RePalette));
        ini.WriteString("Draw", "Smooth", Bool(shell.Smooth));
        ini.WriteString("View", "ShowStatusbar", Bool(shell.ShowStatusBar));
        ini.WriteString("View", "ShowToolbar", Bool(shell.ShowToolBar));
        if (Language || ini.ValueExists("View", "Language"))
            ini.WriteString("View", "Language", Language ? LanguageCode(*Language) : "");
        ini.WriteString("Folder", "BmpFiles", BmpFiles());
        ini.WriteString("Folder", "BmpAlways", Bool(BmpAlways));
        ini.WriteString("Folder", "VcpFiles", VcpFiles());
        ini.WriteString("Folder", "VcpAlways", Bool(VcpAlways));
        ini.WriteString("VRP", "AutoLoad", Bool(AutoLoad));
        ini.WriteString("VRP", "AutoLoadFile", AutoLoadFile);
        ini.WriteString("VRP", "RestoreVcp", Bool(RestoreVcp));
        ini.WriteString("VRP", "TitleSorted", Bool(TitleSorted));
        ini.WriteString("Kabegami", "Mode", KabegamiMode ? "1" : "0");
        ini.WriteString("Kabegami", "FileName", KabegamiFileName);
        ini.UpdateFile();
    } catch (const EIniFileError& ex) {
        throw ESettingsError(failed + (ex.Reason().empty() ? std::string(ex.what()) : ex.Reason()));
    } catch (const ETextEncodingError& ex) {
        throw ESettingsError(failed + ex.what());
    }
}

std::string SettingsFileName(const char* xdgConfigHome, const char* home) {
    namespace fs = std::filesystem;
    fs::path base;
    if (xdgConfigHome && xdgConfigHome[0] == '/')
        base = xdgConfigHome;
    else
        base = fs::path(home ? home : "") / ".config";
    return (base / "Zelt" / "Vistal.ini").string();
}

std::string SettingsFileName() {
    const char* home = std::getenv("HOME");
    std::string fallback;
    if (!home || !home[0]) {
        std::vector<char> buffer(16384);
        passwd pw{};
        passwd* found = nullptr;
        if (getpwuid_r(getuid(), &pw, buffer.data(), buffer.size(), &found) == 0 && found && found->pw_dir)
            fallback = found->pw_dir;
        home = fallback.c_str();
    }
    return SettingsFileName(std::getenv("XDG_CONFIG_HOME"), home);
}

} // namespace vistal
