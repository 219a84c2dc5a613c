// SPDX-License-Identifier: GPL-3.0-or-later
// Real numbers of any precision, for the centres of deep views and the orbits
// computed from them. A thin wrapper of GNU MPFR: the only part of the
// program that sees the library; everything else uses these operations.
#pragma once

#include "base/FloatExp.h"

#include <optional>
#include <string>
#include <string_view>

namespace vistal {

// One MPFR number with its own precision in bits. Results are rounded to
// the nearest number of the receiver's precision, ties to even.
class TMpfr {
public:
    explicit TMpfr(long bits = 64);
    TMpfr(const TMpfr& other);
    TMpfr(TMpfr&& other) noexcept;
    TMpfr& operator=(const TMpfr& other); // takes the other's precision and value
    TMpfr& operator=(TMpfr&& other) noexcept;
    ~TMpfr();

    // The precision MPFR allows, in bits.
    static long MinBits();
    static long MaxBits();

    long Bits() const;
    // Rounds the value to a new precision.
    void SetBits(long bits);

    void Set(double value);
    void Set(const TFloatExp& value);
    void Set(const TMpfr& value); // rounded to this number's precision

    // A decimal number: optional sign, digits with an optional point, an
    // optional exponent ("-1.25e-300"); blanks and line ends around it allowed. The
    // precision is at least minBits and enough that the rounding to any
    // precision up to the text's own digits is that of the decimal itself.
    // Nothing for any other text, or a number beyond the exponents MPFR holds.
    static std::optional<TMpfr> Parse(std::string_view text, long minBits = 64);

    // The value in fixed notation with `decimals` digits after the point,
    // trailing zeros (and a trailing point) removed: "-0.7436438870371587".
    std::string FixedText(long decimals) const;
    // The exact value in hexadecimal floating point ("-0x1.8p-3"): what
    // tells two numbers apart, for comparing records.
    std::string ExactText() const;
    // The value in scientific notation with `digits` significant digits,
    // trailing zeros removed: "1.5e-1000".
    std::string ScientificText(int digits) const;

    double ToDouble() const; // the nearest double (0 or an infinity outside double's range)
    TFloatExp ToFloatExp() const;
    bool IsZero() const;
    int Sign() const;
    int Compare(const TMpfr& other) const;
    // ⌊log2 |x|⌋ for x ≠ 0.
    long Log2Floor() const;

    // this := a op b, rounded to this number's precision.
    void Add(const TMpfr& a, const TMpfr& b);
    void Sub(const TMpfr& a, const TMpfr& b);
    void Mul(const TMpfr& a, const TMpfr& b);
    void Sqr(const TMpfr& a);
    void Mul(const TMpfr& a, double b);
    void Mul(const TMpfr& a, const TFloatExp& b);
    void Add(const TMpfr& a, double b);
    void Neg(const TMpfr& a);
    void Abs(const TMpfr& a);
    // a × 2^e, exact when the precision holds a.
    void Mul2Exp(const TMpfr& a, long e);

private:
    struct TData;
    TData* d_;
};

} // namespace vistal
