// SPDX-License-Identifier: GPL-3.0-or-later
// The arithmetic of extended drawing, one definition for the functions the
// dispatcher chooses (UPotentialBrightMethod.h) and for the painter that
// colours whole rows: each value is computed by the same operations in the
// same order wherever it is used, so both give the same bits.
#pragma once

#include "base/UType.h"

#include <cmath>
#include <cstdint>

namespace vistal::potential_math {

constexpr double kSqrt2 = 1.4142135623730951;

// Re² + Im²; Potential1 and Potential3 take it as it is, Potential2 its root.
inline double SquaredModulus(const TComplex& z) {
    return z.Re * z.Re + z.Im * z.Im;
}

// The divisor 2^count of Potential1 (infinite for count >= 1024).
inline double PowerOfTwo(std::int32_t count) {
    return std::pow(2.0, static_cast<double>(count));
}

// log2(s) × halfScale ÷ divisor, 0 when s is not positive; halfScale is
// CorrectionScale × 0.5.
inline double Potential1Of(double s, double halfScale, double divisor) {
    if (!(s > 0)) return 0;
    return std::log2(s) * halfScale / divisor;
}

// (count − ln(ln r) ÷ ln2) ÷ scale, 0 when r <= 1.
inline double Potential2Of(double r, std::int32_t count, double ln2, double scale) {
    if (!(r > 0)) return 0;
    const double l = std::log(r);
    if (!(l > 0)) return 0;
    return (count - std::log(l) / ln2) / scale;
}

inline double Potential3Of(double s, double scale) {
    return std::cos(s) / scale;
}

// The sum of the slopes towards the right and the lower neighbour.
inline double SlopeSum(double px, double py, double pc) {
    return px + py - 2 * pc;
}

inline double Bright1Of(double d) {
    const double e = kSqrt2 / std::sqrt(d * d + 2);
    return d > 0 ? -e : e;
}
inline double Bright2Of(double d) {
    return (d + 1) / (std::sqrt(d * d + 2) + kSqrt2);
}
inline double Bright3Of(double d) {
    return 1 / (std::sqrt(d * d + 2) + 1);
}
inline double Bright4Of(double d) {
    return std::sin(std::atan2(d, kSqrt2));
}

inline double Representation1Of(double x) {
    return (x + 1) / 2;
}
inline double Representation2Of(double x) {
    return std::fabs(x);
}
inline double LightDarkOf(double x, bool invert) {
    return invert ? 1 - x : x;
}

// A colour component from a value v × 255 as TRgb makes it: rounded to the
// nearest integer, ties to even (RoundToInt), then clamped into 0..255 (not a
// number gives 0). Between 0.5 and 255, adding and subtracting 2^52 rounds
// exactly as nearbyint does, without a library call.
inline int ComponentOf(double v) {
    if (!(v > 0.5)) return 0; // rounds to 0 or below, or not a number
    if (v >= 255) return 255;
    constexpr double kRound = 4503599627370496.0; // 2^52
    return static_cast<int>((v + kRound) - kRound);
}

} // namespace vistal::potential_math
