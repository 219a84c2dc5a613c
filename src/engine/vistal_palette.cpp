// SPDX-License-Identifier: GPL-3.0-or-later
// The built-in palettes and the fitting of a palette to the drawing surface.
#include "base/UFormat.h"
#include "engine/Messages.h"
#include "engine/vistal_class.h"

#include <cmath>

namespace vistal {

void TVistal::SetPalette(TPaletteArray palette, int nColors) {
    if (nColors < 1 || palette.size() < static_cast<std::size_t>(nColors) + 1)
        throw ERangeError(msg::kPaletteIndexOutOfRange);
    palette_ = std::move(palette);
    nColors_ = nColors;
}

void TVistal::SetPaletteStandard() {
    TPaletteArray p(128);
    p[0] = 0;
    for (int i = 1; i <= 127; ++i)
        p[i] = static_cast<TColor>(i * 132104);
    SetPalette(std::move(p), 127);
    FitPaletteToDevice(127);
}

void TVistal::SetPaletteMono() {
    SetPalette(TPaletteArray{0x000000, 0xFFFFFF}, 1);
}

void TVistal::SetPaletteBlue() {
    const long double pi = 3.141592653589793238462643383279502884L;
    TPaletteArray p(256);
    p[0] = 0;
    for (int i = 1; i <= 255; ++i) {
        const double a = static_cast<double>(pi / 2 / 255 * i - pi / 4);
        const int red = RoundToInt(std::sin(a) / std::cos(a) * 127 + 128);
        const int blue = RoundToInt(std::cos(a) * 127 + 128);
        const int green = RoundToInt(std::sin(3 * a) * 127 + 128);
        p[i] = static_cast<TColor>(red + 65536 * blue + 256 * green);
    }
    SetPalette(std::move(p), 255);
    FitPaletteToDevice(255);
}

void TVistal::FitPaletteToDevice(int n) {
    if (n < 0 || static_cast<std::size_t>(n) >= palette_.size())
        throw ERangeError(msg::kPaletteIndexOutOfRange);
    if (DevicePaletteSize() == 256) return; // no palette displays exist here
    // Store each colour in a pixel of the drawing surface's format and read it
    // back, so colours compared by the drawing methods are what the surface holds.
    TBitmap scratch(2, 2);
    for (int i = 0; i <= n; ++i) {
        scratch.SetPixel(1, 1, palette_[i]);
        palette_[i] = scratch.Pixel(1, 1);
    }
}

} // namespace vistal
