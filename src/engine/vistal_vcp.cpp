// Loading a palette from a VCP file into the engine.
#include "colour/Uvcpr.h"
#include "engine/vistal_class.h"

#include <filesystem>
#include <string>
#include <sys/stat.h>

namespace vistal {

void TVistal::LoadVcp(const std::string& fileName) {
    struct stat st {};
    if (::stat(fileName.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
        const std::string name = std::filesystem::path(fileName).filename().string();
        ReportAndAbort((name + "がありません").c_str());
    }
    TVcpReadResult read = ReadVcpFile(fileName);
    if (read.Code != vcpOk) {
        if (read.Code > 0) ReportAndAbort((std::to_string(read.Code) + " 行目にｴﾗｰがあります").c_str());
        if (read.Code == vcpNoColor) ReportAndAbort("色が１色も指定してありません");
        if (read.Code == vcpFileNotFound) ReportAndAbort("ﾌｧｲﾙが見つかりません(あり得ないｴﾗｰです)");
        ReportAndAbort("ｴﾗｰです");
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
    if (single && ErrorReporter) ErrorReporter->ShowError("色が１色しかないです。もっと増やして下さい");
}

} // namespace vistal
