// SPDX-License-Identifier: GPL-3.0-or-later
// The continuous count of an escaped orbit, for smooth colouring:
//
//     ν = n + 1 − log(log|zₙ| ÷ log R) ÷ log p
//
// n the count, zₙ the z where the orbit stopped, R the escape radius (2 for
// the counting kernels, Escape for the extended ones) and p the exponent.
// Where |zₙ| is large beside |c|, zₙ₊₁ ≈ zₙᵖ, so ν runs on without a jump from
// one count's band into the next. At escape |zₙ| ≥ R, so the fraction
// log(log|zₙ| ÷ log R) ÷ log p is 0 where |zₙ| = R and close to 1 where |zₙ| is
// near Rᵖ; it is kept to 0..1, so ν always lies between n and n + 1 and a
// colour never leaves the band of its count. That bound matters for small R:
// near R = 1 the fraction exceeds 1 wherever |c| is not small beside Rᵖ. With
// log R ≤ 0 (R = 1) there is no continuous count, and ν = n: the stepped count.
#pragma once

#include "base/UType.h"

#include <bit>
#include <cmath>
#include <cstdint>

namespace vistal {

// log₂ x for a finite x > 0 to within about 2e-11, from IEEE operations alone
// (the same bits on every build): x = m · 2ᵉ with m in [√½, √2), and
// ln m = 2 atanh s, s = (m − 1) ÷ (m + 1) ≤ 0.172, by its series to s¹¹. Any
// other x goes to std::log2.
inline double SmoothLog2(double x) {
    const std::uint64_t bits = std::bit_cast<std::uint64_t>(x);
    const int exponent = static_cast<int>(bits >> 52 & 0x7FF);
    if (exponent == 0 || exponent == 0x7FF || bits >> 63) return std::log2(x);
    double m = std::bit_cast<double>((bits & 0x000FFFFFFFFFFFFFull) | 0x3FF0000000000000ull);
    int e = exponent - 1023;
    if (m > 1.4142135623730951) {
        m *= 0.5;
        ++e;
    }
    const double s = (m - 1) / (m + 1), s2 = s * s;
    double series = 1.0 / 11;
    for (double odd : {1.0 / 9, 1.0 / 7, 1.0 / 5, 1.0 / 3, 1.0})
        series = series * s2 + odd;
    return e + 2 * s * series * 1.4426950408889634; // 1 ÷ ln 2
}

// What ν needs of R and p, computed once a drawing: ν = n + 1 − fraction with
// fraction = (log₂ log₂ |zₙ|² + offset) × scale, where offset = log₂(ln 2 ÷ (2 ln R))
// and scale = 1 ÷ log₂ p.
struct TSmoothScale {
    TSmoothScale(double escapeRadius, int pow)
        : radiusAboveOne(std::log(escapeRadius) > 0),
          offset(std::log2(0.6931471805599453 / (2 * std::log(escapeRadius)))),
          scale(1 / std::log2(double(pow))) {}
    bool radiusAboveOne;
    double offset;
    double scale;
};

// ν of a count and its final z; 0 for count 0 (the orbit never escaped).
inline double SmoothCount(std::int32_t count, const TComplex& z, const TSmoothScale& scale) {
    if (count == 0) return 0;
    double fraction = 1; // log R ≤ 0, or |z| beyond doubles: the stepped count
    if (scale.radiusAboveOne) {
        const double f = (SmoothLog2(SmoothLog2(z.Re * z.Re + z.Im * z.Im)) + scale.offset) * scale.scale;
        if (f < 0)
            fraction = 0;
        else if (f < 1)
            fraction = f;
    }
    return double(count) + 1 - fraction;
}

} // namespace vistal
