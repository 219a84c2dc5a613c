// SPDX-License-Identifier: GPL-3.0-or-later
// Two stored pictures, held as checksums of their 32-bit pixels: the start-up
// picture and a potential drawing of the same view. They were taken once and
// do not move with the engine or the tests' models of it.
#pragma once

#include "base/Bitmap.h"

#include <cstdint>

namespace vistal::test {

// FNV-1a (64 bits) over the pixels, row by row, each 0x00BBGGRR value as four
// bytes, lowest first.
inline std::uint64_t PixelChecksum(const TBitmap& b) {
    std::uint64_t h = 0xCBF29CE484222325ull;
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x) {
            const TColor c = b.Pixel(x, y);
            for (int k = 0; k < 4; ++k) {
                h ^= (c >> (8 * k)) & 0xFFu;
                h *= 0x100000001B3ull;
            }
        }
    return h;
}

inline constexpr std::uint64_t kStartUpPicture = 0x4CAE64D9B86CC5ADull;
inline constexpr std::uint64_t kPotential1Picture = 0x44772B55921D2193ull;

} // namespace vistal::test
