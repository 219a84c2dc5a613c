// SPDX-License-Identifier: GPL-3.0-or-later
// The centre and span of a view as the location files write and read them.
// A view that doubles hold is written with the usual 15 significant digits,
// so that the files of ordinary views stay what they always were; a deep view
// with the digits its pixels need. Reading takes the written digits exactly
// wherever doubles could not: long numbers are never rounded through a double.
#pragma once

#include "base/DeepPosition.h"

#include <optional>
#include <string>
#include <string_view>

namespace vistal {

struct TViewTexts {
    std::string Re, Im, Span;
};

// The texts of a position for a picture of `height` pixels; `full` writes
// the deep texts even for a view that doubles hold. `spanScale` multiplies
// the span first (a scenic spot keeps half of it).
TViewTexts ViewTexts(const TDeepPosition& position, int height, bool full, double spanScale = 1);

// Whether the written centre and span need more than doubles: more than 17
// significant digits in a coordinate, a span outside double's normal range,
// or a span so small beside the centre that doubles cannot draw the view at
// any size of picture (below 2^-44 of the centre's larger coordinate).
bool NeedsDeepReading(std::string_view re, std::string_view im, std::string_view span);

// The position the texts give exactly (`spanScale` multiplies the span);
// nothing when one of them is no decimal number or the span is out of range.
std::optional<TDeepPosition> ReadDeepView(std::string_view re, std::string_view im, std::string_view span,
                                          double spanScale = 1);

// A deep position as a file keeps it for a picture of `height` pixels: its
// texts read back (its centre moves by less than 1e-5 of a pixel). A view
// drawn at this position comes back from a file exactly, and so draws the
// same picture again: the counts of a deep view's busiest pixels change
// with the last bits of its centre.
TDeepPosition AsWritten(const TDeepPosition& position, int height);

} // namespace vistal
