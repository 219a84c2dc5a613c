// SPDX-License-Identifier: GPL-3.0-or-later
// TGlobal: the program's preferences for the whole run, and the settings file
// that keeps them between runs ($XDG_CONFIG_HOME/Zelt/Vistal.ini, one section
// per group: Draw, View, Folder, VRP, Kabegami).
#pragma once

#include "base/Language.h"

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>

namespace vistal {

// The stored values that belong to the window rather than to TGlobal: the
// visibility of the status bar and tool bar, and whether choosing a palette
// redraws. LoadSettings returns them, SaveSettings takes them back.
struct TShellSettings {
    bool ShowStatusBar = true;
    bool ShowToolBar = true;
    bool RePalette = true;
    bool Smooth = false; // smooth colouring
};

// Saving the settings failed; the message says why. The old file is intact.
class ESettingsError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TGlobal {
public:
    // The ratio of the centre adjustment, kept in 1..5 on both ways.
    int Adjust() const { return Clamp(adjust_); }
    void SetAdjust(int value) { adjust_ = Clamp(value); }
    bool Adjusted = false;
    // The folder for saving pictures, while BmpAlways is set; empty otherwise.
    std::string BmpFiles() const { return BmpAlways ? bmpFiles_ : std::string(); }
    void SetBmpFiles(std::string folder) { bmpFiles_ = std::move(folder); }
    // The folder for palette files, while VcpAlways is set; empty otherwise.
    std::string VcpFiles() const { return VcpAlways ? vcpFiles_ : std::string(); }
    void SetVcpFiles(std::string folder) { vcpFiles_ = std::move(folder); }
    // The folders as last set, whatever the flags say (the option dialog shows them).
    const std::string& RawBmpFiles() const { return bmpFiles_; }
    const std::string& RawVcpFiles() const { return vcpFiles_; }
    bool BmpAlways = false;
    bool VcpAlways = false;
    std::uint8_t StartDrawMode = 0; // drawing method at start-up, in the engine's numbering
    bool Half = false;
    bool KabegamiMode = false; // wallpaper file: false asks every time, true uses KabegamiFileName
    std::string KabegamiFileName;
    std::string PaletteName; // not stored
    bool AutoLoad = false;
    std::string AutoLoadFile;
    std::string CurrentVrpFile;  // not stored; AutoLoadFile at start
    int RefreshRate = 0;         // repaint every RefreshRate × 100 ms during a drawing; 0 never
    std::uint8_t RubberBand = 0; // 0 two-point, 1 centre-and-point
    bool RestoreVcp = false;
    bool TitleSorted = false;
    // The language of the window chosen in the options; none: the locale's.
    // Stored only once chosen, so that a file never chosen in stays as it was.
    std::optional<TLanguage> Language;

    // Fills every stored field from the settings file. A missing file, value
    // or section, or a value that is not a number where one is expected,
    // gives the default; a file that cannot be read gives all defaults. Never
    // fails.
    TShellSettings LoadSettings(const std::string& fileName);
    // Writes every stored value into the settings file, creating the file and
    // its folders as needed and keeping everything else in it. Raises
    // ESettingsError with the reason when that fails.
    void SaveSettings(const std::string& fileName, const TShellSettings& shell) const;

private:
    static int Clamp(int v) { return v <= 0 ? 1 : (v > 5 ? 5 : v); }
    int adjust_ = 0;
    std::string bmpFiles_;
    std::string vcpFiles_;
};

// Where the settings live: xdgConfigHome/Zelt/Vistal.ini when xdgConfigHome is
// an absolute path, otherwise home/.config/Zelt/Vistal.ini.
std::string SettingsFileName(const char* xdgConfigHome, const char* home);
// The same from the environment (XDG_CONFIG_HOME, HOME, else the user database).
std::string SettingsFileName();

} // namespace vistal
