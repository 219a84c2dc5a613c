// SPDX-License-Identifier: GPL-3.0-or-later
// The output effects: the brightness ratio and the shade-off (blur). They turn
// the drawing into the picture that is shown and saved; the drawing itself is
// never passed to them.
#pragma once

#include "base/Bitmap.h"

namespace vistal {

// Moves every colour component the fraction ratio of its distance towards 255
// (ratio > 0) or takes the fraction -ratio of it away (ratio < 0), rounding
// ties to even. The ratio is clamped to -1..1; 0 (or NaN) changes nothing.
// Works in place; the result is a 24-bit picture (top byte of each value 0).
void AdjustBrightness(TBitmap& bitmap, double ratio);

// Blurs with the 3 x 3 mask 1 1 1 / 1 2 1 / 1 1 1, dividing by 10 with
// truncation; outside the picture the nearest edge pixel is repeated. Every
// output pixel is computed from the original pixels, never from blurred ones.
void ShadeOffBitmap(TBitmap& bitmap);

// Both effects in the order the output applies them: the brightness ratio when
// it is not 0, then the shade-off when shadeOff is set.
void ApplyOutputEffects(TBitmap& bitmap, double brightnessRaite, bool shadeOff);

} // namespace vistal
