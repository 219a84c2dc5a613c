// SPDX-License-Identifier: GPL-3.0-or-later
#include "colour/Rgblib.h"
#include "colour/Messages.h"

#include "base/UFormat.h"
#include "base/UType.h"

#include <string>

namespace vistal {

void TRgb::FromColor(TColor v) {
    // The value is read as a signed 32-bit integer, with division truncating.
    const auto s = static_cast<std::int32_t>(v);
    SetBlue(s / 65536);
    SetGreen((s / 256) % 256);
    SetRed(s % 256);
}

static int HexPair(std::string_view s, std::size_t pos) {
    std::string_view pair = pos < s.size() ? s.substr(pos, 2) : std::string_view();
    if (pair.empty()) throw EConvertError(msg::NotHexadecimal(""));
    int value = 0;
    for (char c : pair) {
        int d;
        if (c >= '0' && c <= '9')
            d = c - '0';
        else if (c >= 'a' && c <= 'f')
            d = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F')
            d = c - 'A' + 10;
        else
            throw EConvertError(msg::NotHexadecimal(pair));
        value = value * 16 + d;
    }
    return value;
}

void TRgb::FromHex(std::string_view s) {
    const int r = HexPair(s, 0), g = HexPair(s, 2), b = HexPair(s, 4);
    SetRed(r);
    SetGreen(g);
    SetBlue(b);
}

double TRgb::Cb() const {
    return -0.169 * red_ / 255 - 0.332 * green_ / 255 + 0.5 * blue_ / 255;
}

double TRgb::Cr() const {
    return 0.5 * red_ / 255 - 0.419 * green_ / 255 - 0.081 * blue_ / 255;
}

void TRgb::FromYCbCr(double cb, double cr, double y) {
    SetRed(RoundToInt((y + 1.4026 * cr) * 255));
    SetGreen(RoundToInt((y - 0.7144 * cr - 0.3444 * cb) * 255));
    SetBlue(RoundToInt((y + 1.773 * cb) * 255));
}

} // namespace vistal
