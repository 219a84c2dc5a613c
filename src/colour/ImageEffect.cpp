// SPDX-License-Identifier: GPL-3.0-or-later
#include "colour/ImageEffect.h"

#include "base/UFormat.h"
#include "colour/Rgblib.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <utility>
#include <vector>

namespace vistal {

void AdjustBrightness(TBitmap& bitmap, double ratio) {
    if (ratio == 0 || std::isnan(ratio)) return;
    if (ratio > 1) ratio = 1;
    if (ratio < -1) ratio = -1;

    // The result depends only on the component's value, so each of the 256
    // values is computed once.
    std::array<TColor, 256> table;
    for (int c = 0; c < 256; ++c) {
        TRgb v;
        if (ratio > 0)
            v.SetRed(c + RoundToInt(ratio * (255 - c)));
        else
            v.SetRed(c - RoundToInt(-ratio * c));
        table[c] = static_cast<TColor>(v.Red());
    }
    const int w = bitmap.Width();
    for (int y = 0; y < bitmap.Height(); ++y) {
        TColor* row = bitmap.Row(y);
        for (int x = 0; x < w; ++x) {
            const TColor c = row[x];
            row[x] = table[c & 0xFF] | table[(c >> 8) & 0xFF] << 8 | table[(c >> 16) & 0xFF] << 16;
        }
    }
}

void ShadeOffBitmap(TBitmap& bitmap) {
    const int w = bitmap.Width(), h = bitmap.Height();
    if (w == 0 || h == 0) return;

    // The blur of row y needs the original rows y - 1, y and y + 1 only, and
    // rows are replaced from the top, so three saved rows are as good as a copy
    // of the whole picture. Each saved row is 24-bit (blue, green, red) with
    // its first and last pixel repeated one place further out.
    const std::size_t padded = 3 * (static_cast<std::size_t>(w) + 2);
    std::vector<std::uint8_t> prev(padded), cur(padded), next(padded);
    auto load = [&](int y, std::vector<std::uint8_t>& buf) {
        bitmap.RowToBgr24(y, buf.data() + 3);
        for (int k = 0; k < 3; ++k) {
            buf[k] = buf[3 + k];
            buf[padded - 3 + k] = buf[padded - 6 + k];
        }
    };
    load(0, cur);
    prev = cur;
    if (h > 1)
        load(1, next);
    else
        next = cur;

    std::vector<std::uint16_t> column(padded); // sum of the three rows
    std::vector<std::uint8_t> out(3 * static_cast<std::size_t>(w));
    for (int y = 0; y < h; ++y) {
        for (std::size_t i = 0; i < padded; ++i)
            column[i] = static_cast<std::uint16_t>(prev[i] + cur[i] + next[i]);
        // Nine samples plus the centre once more: the mask 1 1 1 / 1 2 1 / 1 1 1.
        for (std::size_t i = 3; i < padded - 3; ++i)
            out[i - 3] = static_cast<std::uint8_t>((column[i - 3] + column[i] + column[i + 3] + cur[i]) / 10);
        bitmap.RowFromBgr24(y, out.data());

        std::swap(prev, cur);
        std::swap(cur, next);
        if (y + 2 < h)
            load(y + 2, next);
        else
            next = cur;
    }
}

void ApplyOutputEffects(TBitmap& bitmap, double brightnessRaite, bool shadeOff) {
    if (brightnessRaite != 0) AdjustBrightness(bitmap, brightnessRaite);
    if (shadeOff) ShadeOffBitmap(bitmap);
}

} // namespace vistal
