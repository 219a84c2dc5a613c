// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/UFormat.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace vistal;

TEST(Format, GeneralFormatWithFifteenDigits) {
    EXPECT_EQ(FormatReal(0), "0");
    EXPECT_EQ(FormatReal(-0.8), "-0.8");
    EXPECT_EQ(FormatReal(3), "3");
    EXPECT_EQ(FormatReal(0.1), "0.1");
    EXPECT_EQ(FormatReal(1.0 / 3), "0.333333333333333");
    EXPECT_EQ(FormatReal(2.0 / 3), "0.666666666666667");
    EXPECT_EQ(FormatReal(-0.743643887037151), "-0.743643887037151");
    EXPECT_EQ(FormatReal(0.00001), "0.00001");
    EXPECT_EQ(FormatReal(0.0000099), "9.9E-6");
    EXPECT_EQ(FormatReal(1.5e-10), "1.5E-10");
    EXPECT_EQ(FormatReal(2.568105e-8), "2.568105E-8");
    EXPECT_EQ(FormatReal(123456789012345.0), "123456789012345");
    EXPECT_EQ(FormatReal(1234567890123456.0), "1.23456789012346E15");
    EXPECT_EQ(FormatReal(1e20), "1E20");
    EXPECT_EQ(FormatReal(-1e-300), "-1E-300");
    EXPECT_EQ(FormatReal(1024), "1024");
    EXPECT_EQ(FormatReal(100.5), "100.5");
    EXPECT_EQ(FormatReal(INFINITY), "INF");
    EXPECT_EQ(FormatReal(NAN), "NAN");
    // The largest doubles would round up beyond the largest double; the text
    // must read back.
    const double max = std::numeric_limits<double>::max();
    EXPECT_EQ(FormatReal(max), "1.79769313486231E308");
    EXPECT_EQ(FormatReal(-max), "-1.79769313486231E308");
    EXPECT_EQ(ParseReal(FormatReal(-max)), -1.79769313486231e308);
    EXPECT_EQ(FormatReal(1.79769313486231e308), "1.79769313486231E308");
    EXPECT_EQ(FormatReal(1.7976931348623e308), "1.7976931348623E308");
}

TEST(Format, ParseIntegersAndReals) {
    EXPECT_EQ(ParseInteger("42"), 42);
    EXPECT_EQ(ParseInteger(" -7 "), -7);
    EXPECT_EQ(ParseInteger("+5"), 5);
    EXPECT_FALSE(ParseInteger(""));
    EXPECT_FALSE(ParseInteger("abc"));
    EXPECT_FALSE(ParseInteger("12x"));
    EXPECT_FALSE(ParseInteger("1.5"));
    EXPECT_FALSE(ParseInteger("++5"));
    EXPECT_FALSE(ParseInteger("99999999999999999999"));

    EXPECT_EQ(ParseReal("-0.8"), -0.8);
    EXPECT_EQ(ParseReal(" 1.5E-10 "), 1.5e-10);
    EXPECT_EQ(ParseReal("3"), 3.0);
    EXPECT_EQ(ParseReal("+.5"), 0.5);
    EXPECT_FALSE(ParseReal("1,5"));
    EXPECT_FALSE(ParseReal("inf"));
    EXPECT_FALSE(ParseReal("nan"));
    EXPECT_FALSE(ParseReal("1e999"));
    EXPECT_FALSE(ParseReal(""));
    EXPECT_FALSE(ParseReal("0x10"));
    // Every formatted value reads back as itself to 15 digits.
    for (double v : {-0.743643887037151, 1.5e-10, 123456.789, 3.0})
        EXPECT_EQ(ParseReal(FormatReal(v)), v);
}

TEST(Format, RoundingIsToNearestTiesToEven) {
    EXPECT_EQ(RoundEven(0.5), 0.0);
    EXPECT_EQ(RoundEven(1.5), 2.0);
    EXPECT_EQ(RoundEven(2.5), 2.0);
    EXPECT_EQ(RoundEven(-2.5), -2.0);
    EXPECT_EQ(RoundToInt(127.5), 128);
    EXPECT_EQ(RoundToInt(NAN), 0);
    EXPECT_EQ(RoundToInt(1e300), 2147483647);
}
