// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/DeepPosition.h"
#include "base/UFormat.h"

#include <gtest/gtest.h>

#include <random>

using namespace vistal;

// A position's texts read back to the same texts, and place the centre to
// within 1e-5 of a pixel; a decimal that a double holds reads to that double.
TEST(DeepPosition, TextRoundTrips) {
    const std::string re = "-0.74364118226035088192738841330535750135337785922255989040876", im = "0.1318326";
    for (const char* span : {"3", "1e-20", "2.5e-300", "1e-1000", "7.5e-100000"}) {
        TDeepPosition p;
        p.Re = *TDeepPosition::ParseCoordinate(re);
        p.Im = *TDeepPosition::ParseCoordinate(im);
        p.Span = *TDeepPosition::ParseSpan(span);
        EXPECT_EQ(p.SpanText(), span);
        TDeepPosition q;
        q.Re = *TDeepPosition::ParseCoordinate(p.ReText(768));
        q.Im = *TDeepPosition::ParseCoordinate(p.ImText(768));
        q.Span = *TDeepPosition::ParseSpan(p.SpanText());
        EXPECT_EQ(q.ReText(768), p.ReText(768)) << span;
        EXPECT_EQ(q.Span.Mant, p.Span.Mant);
        EXPECT_EQ(q.Span.Exp, p.Span.Exp);
        // Within 1e-5 of a pixel of the centre given.
        TMpfr difference(p.Re.Bits() + 64);
        difference.Sub(q.Re, p.Re);
        if (!difference.IsZero()) {
            EXPECT_LT(
                (difference.ToFloatExp().Abs() / (p.Span * TFloatExp::FromDouble(1e-5 / 768))).ToDouble(), 1)
                << span;
        }
        EXPECT_GE(p.Re.Bits(), TDeepPosition::BitsFor(TFloatExp::FromDouble(1e-60), 768) - 64);
    }
    EXPECT_EQ(TDeepPosition({0.25, 0}, 1e-30).ReText(100), "0.25");

    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> mantissa(-10, 10);
    std::uniform_int_distribution<int> exponent(-300, 300), digits(1, 40);
    for (int i = 0; i < 2000; ++i) {
        std::string text = std::to_string(mantissa(random));
        text += std::string(static_cast<std::size_t>(digits(random)), '7') + "e" +
                std::to_string(exponent(random));
        EXPECT_EQ(TDeepPosition::ParseCoordinate(text)->ToDouble(), *ParseReal(text)) << text;
    }
    for (const char* bad : {"", "-", "1e", "0x10", "inf", "nan", "1.2.3", "1e-99999999"})
        EXPECT_FALSE(TDeepPosition::ParseCoordinate(bad)) << bad;
    EXPECT_FALSE(TDeepPosition::ParseSpan("1e-400000"));
    EXPECT_FALSE(TDeepPosition::ParseSpan("1e400"));
}
