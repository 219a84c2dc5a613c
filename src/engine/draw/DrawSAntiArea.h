// SPDX-License-Identifier: GPL-3.0-or-later
// Simple anti-aliasing: the colour of a pixel is the mean of four samples.
#pragma once

#include "base/Bitmap.h"

namespace vistal {

// Each component is the sum of the four sample components ÷ 4, rounded to the
// nearest integer with halves going to the even neighbour.
TColor MeanOfFourColors(TColor a, TColor b, TColor c, TColor d);

} // namespace vistal
