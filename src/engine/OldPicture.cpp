// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/OldPicture.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace vistal {

namespace {

// (a − b) in units of `unit`, as a double (infinite when beyond it).
double Difference(const TMpfr& a, const TMpfr& b, const TFloatExp& unit) {
    TMpfr d(std::max(a.Bits(), b.Bits()) + 2);
    d.Sub(a, b);
    return (d.ToFloatExp() / unit).ToDouble();
}

} // namespace

void MoveOldPicture(TBitmap& picture, const TDeepPosition& from, const TDeepPosition& to) {
    const int w = picture.Width(), h = picture.Height();
    if (w <= 0 || h <= 0) return;
    const TFloatExp oldPixel = TFloatExp::Make(from.Span.Mant / h, from.Span.Exp);
    if (oldPixel.IsZero()) return;
    // A new pixel is k old ones wide; the new centre lies (ex, ey) old
    // pixels from the old one, y downwards.
    const double k = (to.Span / from.Span).ToDouble();
    const double ex = Difference(to.Re, from.Re, oldPixel);
    const double ey = -Difference(to.Im, from.Im, oldPixel);
    const TBitmap old = picture;
    picture.FillRect(0, 0, w, h, 0);
    // Beyond ±2^30 pixels the old picture is out of sight anyway.
    constexpr double kFar = 1 << 30;
    if (!(std::fabs(ex) < kFar && std::fabs(ey) < kFar && k > 0 && k < kFar)) return;
    std::vector<int> columns(static_cast<std::size_t>(w));
    for (int x = 0; x < w; ++x) {
        const double u = std::floor(w / 2.0 + (x + 0.5 - w / 2.0) * k + ex);
        columns[x] = u >= 0 && u < w ? static_cast<int>(u) : -1;
    }
    for (int y = 0; y < h; ++y) {
        const double v = std::floor(h / 2.0 + (y + 0.5 - h / 2.0) * k + ey);
        if (!(v >= 0 && v < h)) continue;
        const TColor* source = old.Row(static_cast<int>(v));
        TColor* row = picture.Row(y);
        for (int x = 0; x < w; ++x)
            if (columns[x] >= 0) row[x] = source[columns[x]];
    }
}

} // namespace vistal
