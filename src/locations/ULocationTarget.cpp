// SPDX-License-Identifier: GPL-3.0-or-later
#include "locations/ULocationTarget.h"

#include <sys/stat.h>

namespace vistal {

void TLocationTarget::MoveTo(const TViewPlace& place) {
    if (place.Formula != Engine().Formula()) StopAndChangeFormula();
    SetPlace(Engine(), place);
}

void TEngineTarget::SelectDetail(int n) {
    engine_.SetDetail(n);
    DetailAuto = false;
}

void TEngineTarget::SelectDrawMode(std::uint8_t n) {
    engine_.DrawMode = n;
    if (n <= dmExtNormal) lastBasicMode_ = n;
}

void TEngineTarget::StopAndChangeFormula() {
    engine_.SetDrawing(false);
    engine_.ChangeFormula();
}

void TEngineTarget::ApplyVcpFile(const std::string& path) {
    engine_.LoadVcp(path);
    global_.PaletteName = path;
}

std::string VcpPathFor(const TGlobal& global, const std::string& name) {
    std::string folder = global.VcpFiles();
    if (folder.empty() || name.empty()) return {};
    if (folder.back() != '/') folder += '/';
    return folder + name + ".vcp";
}

bool IsExistingFile(const std::string& fileName) {
    struct stat st {};
    return !fileName.empty() && ::stat(fileName.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::string BaseNameWithoutExtension(const std::string& fileName) {
    std::string name = fileName;
    const std::size_t slash = name.find_last_of('/');
    if (slash != std::string::npos) name.erase(0, slash + 1);
    const std::size_t dot = name.find_last_of('.');
    if (dot != std::string::npos && dot > 0) name.erase(dot);
    return name;
}

} // namespace vistal
