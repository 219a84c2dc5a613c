// The palette colour of an iteration count, as a free function so that a
// copy of the palette taken between two progress points gives exactly the
// engine's colours (and its range errors).
#pragma once

#include "base/Bitmap.h"
#include "base/UType.h"
#include "engine/Messages.h"

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

} // namespace vistal
