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
    if (::stat(fileName.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
        const std::string name = std::filesystem::path(fileName).filename().string();
        ReportAndAbort(msg::VcpFileMissing(name).c_str());
    }
    TVcpReadResult result = read();
    if (result.Code != vcpOk) {
        if (result.Code > 0) ReportAndAbort(msg::VcpErrorAtLine(result.Code).c_str());
        if (result.Code == vcpNoColor) ReportAndAbort(msg::kVcpNoColor);
        if (result.Code == vcpFileNotFound) ReportAndAbort(msg::kVcpFileNotFound);
        if (result.Code == paletteNoGradient) ReportAndAbort(msg::NoGradient(gradient).c_str());
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
    if (single && ErrorReporter) ErrorReporter->ShowError(msg::kVcpSingleColor);
}

TPaletteArray TVistal::PaletteInUse() const {
    TPaletteArray colors(palette_.begin(), palette_.begin() + nColors_ + 1);
    colors[0] = UseColor0 ? color0_ : paletteColor0_;
    return colors;
}

} // namespace vistal
