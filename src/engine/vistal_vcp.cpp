// SPDX-License-Identifier: GPL-3.0-or-later
// Loading a palette from a VCP file, or from the palette file of another
// program, into the engine; and the palette as a drawing uses it.
#include "colour/PaletteFile.h"
#include "colour/Uvcpr.h"
#include "engine/Messages.h"
#include "engine/vistal_class.h"

#include <filesystem>
#include <string>
#include <sys/stat.h>

namespace vistal {

void TVistal::LoadVcp(const std::string& fileName) {
    LoadPaletteWith(fileName, {}, [&] { return ReadVcpFile(fileName); });
}

void TVistal::LoadPalette(const std::string& fileName, const std::string& gradient) {
    LoadPaletteWith(fileName, gradient, [&] { return ReadPaletteFile(fileName, gradient); });
}

void TVistal::LoadPaletteWith(const std::string& fileName, const std::string& gradient,
                              const std::function<TVcpReadResult()>& read) {
    struct stat st {};
    if (::stat(fileName.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        ReportAndAbort(msg::kVcpFileMissing, {std::filesystem::path(fileName).filename().string()});
    TVcpReadResult result = read();
    if (result.Code != vcpOk) {
        if (result.Code > 0) {
            const TLanguage language = MessageLanguage();
            if (ErrorReporter)
                ErrorReporter->ShowLineError(
                    result.Code, Compose(msg::kVcpErrorAtLine, language, {std::to_string(result.Code)}),
                    msg::kUnreadableLine.In(language));
            throw EAbort();
        }
        if (result.Code == vcpNoColor) ReportAndAbort(msg::kVcpNoColor);
        if (result.Code == vcpFileNotFound) ReportAndAbort(msg::kVcpFileNotFound);
        if (result.Code == paletteNoGradient) {
            if (gradient.empty()) ReportAndAbort(msg::kNoGradient);
            ReportAndAbort(msg::kNoGradientNamed, {gradient});
        }
        ReportAndAbort(msg::kVcpError);
    }

    // Build the whole palette first, so nothing changes unless it installs.
    TPaletteArray colors = std::move(result.Colors);
    const bool single = colors.size() == 1;
    if (single) colors.push_back(colors.front());
    const TColor first = colors.front();
    const int nColors = static_cast<int>(colors.size()) - 1;
    SetPalette(std::move(colors), nColors);
    paletteColor0_ = first;
    FitPaletteToDevice(nColors);
    if (single && ErrorReporter) ErrorReporter->ShowError(msg::kVcpSingleColor.In(MessageLanguage()));
}

TPaletteArray TVistal::PaletteInUse() const {
    TPaletteArray colors(palette_.begin(), palette_.begin() + nColors_ + 1);
    colors[0] = UseColor0 ? color0_ : paletteColor0_;
    return colors;
}

} // namespace vistal
