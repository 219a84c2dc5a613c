// Loading a palette from a VCP file into the engine.
#include "colour/Uvcpr.h"
#include "engine/Messages.h"
#include "engine/vistal_class.h"

#include <filesystem>
#include <string>
#include <sys/stat.h>

namespace vistal {

void TVistal::LoadVcp(const std::string& fileName) {
    struct stat st {};
    if (::stat(fileName.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
        const std::string name = std::filesystem::path(fileName).filename().string();
        ReportAndAbort(msg::VcpFileMissing(name).c_str());
    }
    TVcpReadResult read = ReadVcpFile(fileName);
    if (read.Code != vcpOk) {
        if (read.Code > 0) ReportAndAbort(msg::VcpErrorAtLine(read.Code).c_str());
        if (read.Code == vcpNoColor) ReportAndAbort(msg::kVcpNoColor);
        if (read.Code == vcpFileNotFound) ReportAndAbort(msg::kVcpFileNotFound);
        ReportAndAbort(msg::kVcpError);
    }

    // Build the whole palette first, so nothing changes unless it installs.
    TPaletteArray colors = std::move(read.Colors);
    const bool single = colors.size() == 1;
    if (single) colors.push_back(colors.front());
    const TColor first = colors.front();
    const int nColors = static_cast<int>(colors.size()) - 1;
    SetPalette(std::move(colors), nColors);
    paletteColor0_ = first;
    FitPaletteToDevice(nColors);
    if (single && ErrorReporter) ErrorReporter->ShowError(msg::kVcpSingleColor);
}

} // namespace vistal
