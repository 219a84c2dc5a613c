// SPDX-License-Identifier: GPL-3.0-or-later
// The explorer's start-up parameters: the view and options it draws first,
// before the user changes anything. The renderer starts from the same values,
// so that its picture without options is the explorer's first picture.
#pragma once

#include "engine/vistal_class.h"

#include <cstdint>

namespace vistal {

enum class TBuiltinPalette : std::uint8_t { Standard, Mono, Blue };

struct TStartupParameters {
    int ZoomFactor = 2;
    int Iteration = 256;
    int Detail = 1;
    int Pow = 2; // with the home view of the exponent
    double Escape = 1024;
    double Correction = 0;
    std::uint8_t DrawCompo = 1;
    std::uint8_t PotentialBright = 0;
    std::uint8_t Represent = 0;
    bool Half = true;
    int Width = 200;
    int Height = 200;
    TBuiltinPalette Palette = TBuiltinPalette::Standard;
};

TStartupParameters StartupParameters();

// Sets every start-up parameter on the engine: the exponent with its home view,
// the palette, the picture size and the options above. The formula, the drawing
// method and the colour 0 are left as they are.
void ApplyStartupParameters(TVistal& engine);

} // namespace vistal
