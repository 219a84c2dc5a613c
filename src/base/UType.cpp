// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/UType.h"

namespace vistal {

int DrawModeToCode(std::uint8_t mode) {
    switch (mode) {
    case dmFadein:
        return 4;
    case dmSAntiArea:
        return 3;
    default:
        return mode;
    }
}

std::uint8_t DrawModeFromCode(long long code) {
    if (code < 1 || code > 8) return dmNormal;
    if (code == 3) return dmSAntiArea;
    if (code == 4) return dmFadein;
    return static_cast<std::uint8_t>(code);
}

void TErrorReporter::ShowLineError(int, const std::string& text, const std::string&) {
    ShowError(text);
}

} // namespace vistal
