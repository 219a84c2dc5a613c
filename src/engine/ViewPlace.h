// SPDX-License-Identifier: GPL-3.0-or-later
// TViewPlace: where a view looks, as one value: the formula, the position (the
// centre to every bit it has and the height, ImSpan, with an exponent of its
// own), the exponent and, for Julia sets, the constant. The explorer moves its view only through this value,
// and the history's positions and the location files convert to it, so that what a view position can hold is
// decided here once.
#pragma once

#include "base/DeepPosition.h"
#include "base/UType.h"

#include <cstdint>

namespace vistal {

class TPosition;
class TVistal;

struct TViewPlace {
    std::uint8_t Formula = fmMandelbrot;
    TDeepPosition Position{{0, 0}, 0};
    int Pow = 2;
    TComplex JuliaSeed; // read and set for Julia places only

    friend bool operator==(const TViewPlace&, const TViewPlace&) = default;
};

// The engine's view.
TViewPlace PlaceOf(const TVistal& engine);
// A recorded view: its class gives the formula.
TViewPlace PlaceOf(const TPosition& position);
// Sets the engine's position and exponent and, for a Julia place, the
// constant. The engine's formula must be the place's already: the engine
// refuses a Julia constant with a silent abort otherwise.
void SetPlace(TVistal& engine, const TViewPlace& place);

} // namespace vistal
