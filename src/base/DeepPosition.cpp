// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/DeepPosition.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace vistal {

TDeepPosition::TDeepPosition(const TComplex& center, double span)
    : Span(TFloatExp::FromDouble(std::fabs(span))) {
    Re.Set(center.Re);
    Im.Set(center.Im);
}

long TDeepPosition::BitsFor(const TFloatExp& span, int height) {
    if (span.IsZero() || height <= 0) return 64;
    // log2(height ÷ span) = log2 height − log2 span.
    const double bits = std::ceil(std::log2(static_cast<double>(height)) - span.Log2()) + 64;
    return static_cast<long>(std::clamp(bits, 64.0, static_cast<double>(TMpfr::MaxBits())));
}

void TDeepPosition::Fit(int height) {
    const long bits = BitsFor(Span, height);
    if (Re.Bits() < bits) Re.SetBits(bits);
    if (Im.Bits() < bits) Im.SetBits(bits);
}

long TDeepPosition::DecimalsFor(const TFloatExp& span, int height) {
    if (span.IsZero() || height <= 0) return 17;
    constexpr double kLog10Of2 = 0.30102999566398120;
    const double digits = std::ceil(-span.Log2() * kLog10Of2) + std::ceil(std::log10(double(height))) + 5;
    return static_cast<long>(std::clamp(digits, 1.0, 10000000.0));
}

std::string TDeepPosition::SpanText() const {
    TMpfr span(64);
    span.Set(Span);
    // The fewest digits that give the mantissa back: "1e-300", not
    // "1.0000000000000001e-300".
    for (int digits = 1; digits < 17; ++digits) {
        const std::string text = span.ScientificText(digits);
        const std::optional<TFloatExp> back = ParseSpan(text);
        if (back && back->Mant == Span.Mant && back->Exp == Span.Exp) return text;
    }
    return span.ScientificText(17);
}

std::optional<TMpfr> TDeepPosition::ParseCoordinate(std::string_view text) {
    return TMpfr::Parse(text);
}

std::optional<TFloatExp> TDeepPosition::ParseSpan(std::string_view text) {
    const std::optional<TMpfr> value = TMpfr::Parse(text);
    if (!value) return std::nullopt;
    TFloatExp span = value->ToFloatExp().Abs();
    if (!span.IsZero() && (span.Log2Floor() < kMinSpanLog2 || !std::isfinite(span.ToDouble())))
        return std::nullopt;
    return span;
}

std::string TDeepPosition::ExactText() const {
    TMpfr span(64);
    span.Set(Span);
    return Re.ExactText() + "," + Im.ExactText() + "," + span.ExactText();
}

bool TDeepPosition::HeldByDoubles() const {
    const auto held = [](const TMpfr& x) {
        TMpfr d(64);
        d.Set(x.ToDouble());
        return d.Compare(x) == 0;
    };
    const TFloatExp span = TFloatExp::FromDouble(Span.ToDouble());
    return span.Mant == Span.Mant && span.Exp == Span.Exp && held(Re) && held(Im);
}

bool operator==(const TDeepPosition& a, const TDeepPosition& b) {
    return a.Re.Compare(b.Re) == 0 && a.Im.Compare(b.Im) == 0 && a.Span.Mant == b.Span.Mant &&
           a.Span.Exp == b.Span.Exp;
}

} // namespace vistal
