// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/UPotentialBrightMethod.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace vistal;

TEST(PotentialBright, BrightnessFunctions) {
    // Each takes the slopes (right, lower, own) and uses d = px + py - 2 pc.
    EXPECT_EQ(Bright1(0, 0, 0), 1.0);
    EXPECT_NEAR(Bright1(0.001, 0, 0), -1.0, 1e-6);
    EXPECT_EQ(Bright1(-0.001, 0, 0), Bright1(0.001, 0, 0) * -1);
    EXPECT_EQ(Bright1(3, 1, 2), 1.0); // d = 0
    EXPECT_LT(Bright1(3, 1, 1.9), 0); // d > 0
    EXPECT_NEAR(Bright2(0, 0, 0), 1 / (2 * std::sqrt(2.0)), 1e-15);
    EXPECT_NEAR(Bright3(0, 0, 0), 0.41421356237309503, 1e-15);
    EXPECT_EQ(Bright4(0, 0, 0), 0.0);
    EXPECT_NEAR(Bright4(1e300, 0, 0), 1.0, 1e-15);
    EXPECT_NEAR(Bright4(-1e300, 0, 0), -1.0, 1e-15);
    EXPECT_NEAR(Bright4(1, 0, 0), 1 / std::sqrt(3.0), 1e-15);
    for (double d : {-1e6, -3.0, -0.5, 0.25, 2.0, 1e6}) {
        EXPECT_GE(Bright2(d, 0, 0), -1);
        EXPECT_LE(Bright2(d, 0, 0), 1);
        EXPECT_GT(Bright3(d, 0, 0), 0);
        EXPECT_LT(Bright3(d, 0, 0), Bright3(0, 0, 0));
    }
    EXPECT_TRUE(std::isnan(Bright2(INFINITY, 0, 0)));
}

TEST(PotentialBright, PotentialFunctionsAndCorrection) {
    const TPotentialScale one{1.0, std::log(2.0)}, hundred{100.0, std::log(2.0)};
    // log2 |z|^2 × K/2 ÷ 2^n.
    EXPECT_EQ(Potential1({2, 0}, 1, one), 0.5);
    EXPECT_EQ(Potential1({2, 0}, 1, hundred), 50.0);
    EXPECT_EQ(Potential1({0, 0}, 3, one), 0.0);
    EXPECT_EQ(Potential1({3, 4}, 0, one), std::log2(25.0) * 0.5);
    EXPECT_GT(Potential1({1e10, 0}, 1023, one), 0.0);
    EXPECT_EQ(Potential1({1e10, 0}, 1024, one), 0.0); // 2^1024 is infinite
    // n - log2 ln|z|, divided by K; 0 inside the unit circle.
    const TComplex e{std::exp(1.0), 0};
    EXPECT_EQ(Potential2(e, 7, one), 7.0);
    EXPECT_EQ(Potential2(e, 7, hundred), 0.07);
    EXPECT_NEAR(Potential2({std::exp(4.0), 0}, 10, one), 8.0, 1e-12);
    EXPECT_EQ(Potential2({0.6, 0.8}, 5, one), 0.0);
    EXPECT_EQ(Potential2({0, 0}, 5, one), 0.0);
    // cos |z|^2 ÷ K.
    EXPECT_EQ(Potential3({1, 1}, 9, one), std::cos(2.0));
    EXPECT_EQ(Potential3({1, 1}, 9, hundred), std::cos(2.0) / 100);
}

TEST(PotentialBright, RepresentationAndLightDark) {
    EXPECT_EQ(Representation1(-1), 0.0);
    EXPECT_EQ(Representation1(1), 1.0);
    EXPECT_EQ(Representation1(0), 0.5);
    EXPECT_EQ(Representation2(-0.25), 0.25);
    EXPECT_EQ(ApplyLightDark(0.25, 1), 0.75);
    EXPECT_EQ(ApplyLightDark(0.25, 0), 0.25);
    EXPECT_EQ(ApplyLightDark(0.25, 2), 0.25);
}
