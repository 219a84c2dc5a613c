// SPDX-License-Identifier: GPL-3.0-or-later
// Numbers beyond the range of doubles: a double mantissa with a binary
// exponent of its own, value = Mant × 2^Exp. Deep views need them for spans
// below about 1e-300 and for the coefficients that relate such tiny
// differences to the numbers of an orbit. Every result is normalised: Mant is
// 0 (with Exp 0) or 0.5 ≤ |Mant| < 1.
#pragma once

#include "base/UType.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace vistal {

// Exponents are kept far from the integer limits: no value a view needs
// comes near 2^±(1 << 40).
inline constexpr std::int64_t kFloatExpLimit = std::int64_t(1) << 40;

// ldexp with an exponent of any size: 0 or an infinity beyond double's range.
inline double ScaleByPowerOf2(double x, std::int64_t e) {
    return std::ldexp(x, static_cast<int>(std::clamp<std::int64_t>(e, -4000, 4000)));
}

struct TFloatExp {
    double Mant = 0;
    std::int64_t Exp = 0;

    static TFloatExp Make(double mant, std::int64_t exp) {
        if (mant == 0 || !std::isfinite(mant)) return {mant == 0 ? 0.0 : mant, 0};
        int e = 0;
        const double m = std::frexp(mant, &e);
        return {m, std::clamp<std::int64_t>(exp + e, -kFloatExpLimit, kFloatExpLimit)};
    }
    static TFloatExp FromDouble(double d) { return Make(d, 0); }

    // The double nearest the value: 0 below double's range, an infinity above it.
    double ToDouble() const { return ScaleByPowerOf2(Mant, Exp); }
    bool IsZero() const { return Mant == 0; }
    // ⌊log2 |x|⌋ for x ≠ 0.
    std::int64_t Log2Floor() const { return Exp - 1; }
    double Log2() const { return std::log2(std::fabs(Mant)) + static_cast<double>(Exp); }

    friend TFloatExp operator*(const TFloatExp& a, const TFloatExp& b) {
        return Make(a.Mant * b.Mant, a.Exp + b.Exp);
    }
    friend TFloatExp operator/(const TFloatExp& a, const TFloatExp& b) {
        return Make(a.Mant / b.Mant, a.Exp - b.Exp);
    }
    friend TFloatExp operator+(const TFloatExp& a, const TFloatExp& b) {
        if (a.Mant == 0) return b;
        if (b.Mant == 0) return a;
        if (a.Exp >= b.Exp) return Make(a.Mant + ScaleByPowerOf2(b.Mant, b.Exp - a.Exp), a.Exp);
        return Make(b.Mant + ScaleByPowerOf2(a.Mant, a.Exp - b.Exp), b.Exp);
    }
    friend TFloatExp operator-(const TFloatExp& a, const TFloatExp& b) {
        return a + TFloatExp{-b.Mant, b.Exp};
    }
    friend bool operator<(const TFloatExp& a, const TFloatExp& b) { return (a - b).Mant < 0; }
    TFloatExp Abs() const { return {std::fabs(Mant), Exp}; }
    TFloatExp Sqrt() const {
        if (Mant <= 0) return {};
        // Halve an even exponent: Mant × 2^Exp = (Mant × 2^(Exp mod 2)) × 2^(2 ⌊Exp/2⌋).
        const std::int64_t odd = Exp & 1;
        return Make(std::sqrt(Mant * (odd ? 2.0 : 1.0)), (Exp - odd) / 2);
    }
};

// A complex number with one exponent for both parts: (Re, Im) × 2^Exp, the
// larger part normalised as TFloatExp's mantissa.
struct TExpComplex {
    double Re = 0, Im = 0;
    std::int64_t Exp = 0;

    static TExpComplex Make(double re, double im, std::int64_t exp) {
        const double big = std::max(std::fabs(re), std::fabs(im));
        if (big == 0 || !std::isfinite(big)) return {re, im, 0};
        int e = 0;
        std::frexp(big, &e);
        return {std::ldexp(re, -e), std::ldexp(im, -e),
                std::clamp<std::int64_t>(exp + e, -kFloatExpLimit, kFloatExpLimit)};
    }
    static TExpComplex FromComplex(const TComplex& z) { return Make(z.Re, z.Im, 0); }
    TComplex ToComplex() const { return {ScaleByPowerOf2(Re, Exp), ScaleByPowerOf2(Im, Exp)}; }
    // A bound of |z| within a factor √2: max(|Re|, |Im|) × 2^Exp.
    TFloatExp NormInf() const { return TFloatExp::Make(std::max(std::fabs(Re), std::fabs(Im)), Exp); }
    TFloatExp Abs() const { return TFloatExp::Make(std::hypot(Re, Im), Exp); }

    friend TExpComplex operator*(const TExpComplex& a, const TExpComplex& b) {
        return Make(a.Re * b.Re - a.Im * b.Im, a.Re * b.Im + a.Im * b.Re, a.Exp + b.Exp);
    }
    friend TExpComplex operator*(const TExpComplex& a, const TFloatExp& b) {
        return Make(a.Re * b.Mant, a.Im * b.Mant, a.Exp + b.Exp);
    }
    friend TExpComplex operator+(const TExpComplex& a, const TExpComplex& b) {
        if (a.Re == 0 && a.Im == 0) return b;
        if (b.Re == 0 && b.Im == 0) return a;
        if (a.Exp >= b.Exp) {
            const std::int64_t d = b.Exp - a.Exp;
            return Make(a.Re + ScaleByPowerOf2(b.Re, d), a.Im + ScaleByPowerOf2(b.Im, d), a.Exp);
        }
        const std::int64_t d = a.Exp - b.Exp;
        return Make(b.Re + ScaleByPowerOf2(a.Re, d), b.Im + ScaleByPowerOf2(a.Im, d), b.Exp);
    }
    friend TExpComplex operator-(const TExpComplex& a, const TExpComplex& b) {
        return a + TExpComplex{-b.Re, -b.Im, b.Exp};
    }
};

} // namespace vistal
