// SPDX-License-Identifier: GPL-3.0-or-later
#include "locations/ViewText.h"

#include "base/UFormat.h"

#include <algorithm>
#include <cmath>

namespace vistal {

namespace {

// The digits of a decimal number from its first non-zero one, exponent
// excluded.
std::size_t SignificantDigits(std::string_view text) {
    std::size_t digits = 0;
    bool started = false;
    for (char c : text) {
        if (c == 'e' || c == 'E') break;
        if (c < '0' || c > '9') continue;
        started = started || c != '0';
        if (started) ++digits;
    }
    return digits;
}

// The picture height whose pixels a centre read from a file resolves.
constexpr int kReadHeight = 1 << 16;

TFloatExp Scaled(const TFloatExp& span, double scale) {
    return TFloatExp::Make(span.Mant * scale, span.Exp);
}

} // namespace

TViewTexts ViewTexts(const TDeepPosition& position, int height, bool full, double spanScale) {
    if (!full && position.HeldByDoubles()) {
        const TComplex c = position.Center();
        return {FormatReal(c.Re), FormatReal(c.Im), FormatReal(position.Span.ToDouble() * spanScale)};
    }
    TDeepPosition scaled = position;
    scaled.Span = Scaled(position.Span, spanScale);
    return {position.ReText(height), position.ImText(height), scaled.SpanText()};
}

bool NeedsDeepReading(std::string_view re, std::string_view im, std::string_view span) {
    if (SignificantDigits(re) > 17 || SignificantDigits(im) > 17) return true;
    // Doubles decide for every ordinary record (MPFR would slow the reading of
    // long lists); only a span beyond double's range needs more.
    const std::optional<double> r = ParseReal(re), i = ParseReal(im), s = ParseReal(span);
    if (!r || !i) return false;
    if (!s || *s == 0) {
        const std::optional<TFloatExp> exact = TDeepPosition::ParseSpan(span);
        return exact && !exact->IsZero();
    }
    if (!std::isnormal(*s)) return true;
    return std::fabs(*s) < std::ldexp(std::max(std::fabs(*r), std::fabs(*i)), -44);
}

std::optional<TDeepPosition> ReadDeepView(std::string_view re, std::string_view im, std::string_view span,
                                          double spanScale) {
    const std::optional<TFloatExp> s = TDeepPosition::ParseSpan(span);
    if (!s) return std::nullopt;
    TDeepPosition p;
    p.Span = Scaled(*s, spanScale);
    // Short digits are exact at the precision the view needs: 0.1 is not
    // the 64 bits nearest to it.
    const long bits = TDeepPosition::BitsFor(p.Span, kReadHeight);
    std::optional<TMpfr> r = TMpfr::Parse(re, bits), i = TMpfr::Parse(im, bits);
    if (!r || !i) return std::nullopt;
    p.Re = std::move(*r);
    p.Im = std::move(*i);
    return p;
}

TDeepPosition AsWritten(const TDeepPosition& position, int height) {
    const TViewTexts texts = ViewTexts(position, height, true);
    return ReadDeepView(texts.Re, texts.Im, texts.Span).value_or(position);
}

} // namespace vistal
