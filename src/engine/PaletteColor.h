// SPDX-License-Identifier: GPL-3.0-or-later
// The palette colour of an iteration count, as a free function so that a
// copy of the palette taken between two progress points gives exactly the
// engine's colours (and its range errors).
#pragma once

#include "base/Bitmap.h"
#include "base/UType.h"
#include "engine/Messages.h"
#include "engine/PotentialMath.h"

#include <cstddef>
#include <cstdint>

namespace vistal {

// The palette entry of a count: 0 (colour 0) for count 0, else
// (count ÷ detail) mod nColors + 1. A detail or colour count below 1, or an
// entry beyond the palette's size, is a range error.
inline std::size_t PaletteIndexOf(std::size_t size, int detail, int nColors, std::int32_t count) {
    std::size_t index = 0;
    if (count != 0) {
        // A detail or colour count below 1 would divide by zero: refuse it as a range error.
        if (detail < 1 || nColors < 1) throw ERangeError(msg::kDetailOrColoursBelowOne);
        index = static_cast<std::size_t>((count / detail) % nColors + 1);
    }
    if (index >= size) throw ERangeError(msg::kPaletteIndexOutOfRange);
    return index;
}

inline TColor PaletteColorOf(const TColor* palette, std::size_t size, int detail, int nColors,
                             std::int32_t count) {
    return palette[PaletteIndexOf(size, detail, nColors, count)];
}

// The colour of a continuous count ν (engine/kernels/SmoothCount.h): 0 gives
// colour 0; otherwise, with u = ν ÷ detail, the colour runs linearly from the
// entry of count floor(u) · detail to the next cycling entry, each component
// rounded to the nearest integer (ties to even). A whole ν with detail 1 is
// thus exactly its count's colour, and detail consecutive counts share the way
// from one colour to the next. The range errors are those of PaletteIndexOf.
inline TColor SmoothPaletteColorOf(const TColor* palette, std::size_t size, int detail, int nColors,
                                   double nu) {
    if (nu == 0) return palette[PaletteIndexOf(size, detail, nColors, 0)];
    if (detail < 1 || nColors < 1) throw ERangeError(msg::kDetailOrColoursBelowOne);
    const double u = nu / detail;
    const std::uint32_t step = static_cast<std::uint32_t>(u); // 0 < ν ≤ 2³¹ + 1: the floor
    const double t = u - double(step);
    const std::uint32_t colours = static_cast<std::uint32_t>(nColors);
    const std::uint32_t from = step % colours, to = from + 1 < colours ? from + 1 : 0;
    if (static_cast<std::size_t>(from) + 1 >= size || static_cast<std::size_t>(to) + 1 >= size)
        throw ERangeError(msg::kPaletteIndexOutOfRange);
    const TColor a = palette[from + 1], b = palette[to + 1];
    TColor mixed = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const double ca = double(a >> shift & 0xFF), cb = double(b >> shift & 0xFF);
        mixed |= static_cast<TColor>(potential_math::ComponentOf(ca + (cb - ca) * t)) << shift;
    }
    return mixed;
}

} // namespace vistal
