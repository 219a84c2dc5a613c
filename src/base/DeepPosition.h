// SPDX-License-Identifier: GPL-3.0-or-later
// The position of a view: its centre to as many bits as the view needs, and
// its span (the height along the imaginary axis) with an exponent of its own,
// so that views far finer than doubles resolve, down to spans of 1e-1000 and
// below, have a position. Read from and written to decimal text.
#pragma once

#include "base/FloatExp.h"
#include "base/Mpfr.h"
#include "base/UType.h"

#include <optional>
#include <string>
#include <string_view>

namespace vistal {

// The finest span a position takes: 2^-1048576, about 1e-315652. Finer
// views would need centres of more than a million bits.
inline constexpr std::int64_t kMinSpanLog2 = -(std::int64_t(1) << 20);

class TDeepPosition {
public:
    TDeepPosition() = default;
    TDeepPosition(const TComplex& center, double span);

    TMpfr Re, Im;   // the centre
    TFloatExp Span; // ImSpan, never negative

    // The centre rounded to doubles.
    TComplex Center() const { return {Re.ToDouble(), Im.ToDouble()}; }

    // The bits a centre needs for a picture of `height` pixels of this span:
    // ⌈log2(height ÷ span)⌉ + 64, at least 64: the pixel spacing and 64 bits
    // below it.
    static long BitsFor(const TFloatExp& span, int height);
    // Raises the precision of the centre to what a picture of `height`
    // pixels needs; never lowers it, so digits given beyond the need stay.
    void Fit(int height);

    // Digits after the point that the centre's text needs for a picture of
    // `height` pixels: ⌈-log10 span⌉ + ⌈log10 height⌉ + 5, at least 1, so that
    // the text places the centre to 1e-5 of a pixel.
    static long DecimalsFor(const TFloatExp& span, int height);
    std::string ReText(int height) const { return Re.FixedText(DecimalsFor(Span, height)); }
    std::string ImText(int height) const { return Im.FixedText(DecimalsFor(Span, height)); }
    // The span with the fewest significant digits (at most 17) that give its
    // mantissa back exactly: "1e-300", "2.5e-1000", "3".
    std::string SpanText() const;

    // A centre coordinate written in decimal, with any number of digits:
    // its precision holds every digit given (TMpfr::Parse).
    static std::optional<TMpfr> ParseCoordinate(std::string_view text);
    // A span written in decimal (its absolute value), of any size down to
    // kMinSpanLog2; nothing for a text that is no decimal number or a span
    // beyond that range or above double's.
    static std::optional<TFloatExp> ParseSpan(std::string_view text);

    // The exact centre and span, for telling two positions apart.
    std::string ExactText() const;

    // Whether the centre's coordinates and the span are each a double: a view
    // that doubles hold exactly.
    bool HeldByDoubles() const;

    // The same centre and span, whatever the precisions that hold them.
    friend bool operator==(const TDeepPosition& a, const TDeepPosition& b);
};

} // namespace vistal
