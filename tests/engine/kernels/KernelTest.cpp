// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/kernels/Kernels.h"

#include <gtest/gtest.h>

using namespace vistal;

TEST(Kernel, MandelbrotCountsAtKnownPoints) {
    EXPECT_EQ(CountMandelbrot2(0, 0, 256), 0);
    EXPECT_EQ(CountMandelbrot2(2, 0, 256), 1); // |z1|^2 = 4 reaches the bound
    EXPECT_EQ(CountMandelbrot2(-2, 0, 256), 1);
    EXPECT_EQ(CountMandelbrot2(1, 0, 256), 2);   // z = 1, then 2
    EXPECT_EQ(CountMandelbrot2(0.5, 0, 256), 5); // 0.5, 0.75, 1.0625, 1.6289..., 3.15...
    EXPECT_EQ(CountMandelbrot2(0.25, 0, 10000), 0);
    EXPECT_EQ(CountMandelbrot2(0, 1.5, 256), 2); // 1.5i, then -2.25+1.5i
    EXPECT_EQ(CountMandelbrot2(1, 0, 1), 0);     // the first iterate stays inside
    EXPECT_EQ(CountMandelbrot2(2, 0, 0), 0);     // no iterations at all
    EXPECT_EQ(CountMandelbrot2(2, 0, -5), 0);
}

TEST(Kernel, JuliaStartsAtThePointAndNeverTestsIt) {
    EXPECT_EQ(CountJulia2(3, 0, {0, 0}, 256), 1); // outside radius 2, still count 1
    EXPECT_EQ(CountJulia2(0, 0, {0, 0}, 256), 0);
    EXPECT_EQ(CountJulia2(1, 0, {1, 0}, 256), 1);     // 1 -> 2
    EXPECT_EQ(CountJulia2(0.5, 0, {0.5, 0}, 256), 4); // 0.75, 1.0625, 1.6289..., 3.15...
    EXPECT_EQ(CountJuliaN(3, 0, {0, 0}, 256, 5), 1);
    // The Mandelbrot kernel is the Julia kernel started at z = 0 with c = the point.
    for (double re = -2; re <= 1; re += 0.37)
        for (double im = -1; im <= 1; im += 0.29)
            EXPECT_EQ(CountMandelbrot2(re, im, 500), CountJulia2(0, 0, {re, im}, 500));
}

TEST(Kernel, HigherExponents) {
    // z^3 + c: 1 -> 2 for c = 1
    EXPECT_EQ(CountMandelbrotN(1, 0, 100, 3), 2);
    EXPECT_EQ(CountMandelbrotN(0, 0, 100, 7), 0);
    EXPECT_EQ(CountMandelbrotN(2, 0, 100, 4), 1);
    // c = 1, n = 4: z = 1, 2
    EXPECT_EQ(CountMandelbrotN(1, 0, 100, 4), 2);
    // c = 0.5i, n = 5: |z| stays small
    EXPECT_EQ(CountMandelbrotN(0, 0.5, 1000, 5), 0);
}

TEST(Kernel, ComplexPowByRepeatedSquaring) {
    TComplex i{0, 1};
    EXPECT_EQ(ComplexPow(i, 2), (TComplex{-1, 0}));
    EXPECT_EQ(ComplexPow(i, 3), (TComplex{0, -1}));
    EXPECT_EQ(ComplexPow(i, 4), (TComplex{1, 0}));
    EXPECT_EQ(ComplexPow({1, 1}, 5), (TComplex{-4, -4}));
    EXPECT_EQ(ComplexPow({2, 0}, 10), (TComplex{1024, 0}));
    EXPECT_EQ(ComplexPow({1.5, -0.5}, 1), (TComplex{1.5, -0.5}));
    EXPECT_EQ(ComplexPow({1.5, -0.5}, 0), (TComplex{1.5, -0.5}));
    // (1+2i)^3 = -11 - 2i
    EXPECT_EQ(ComplexPow({1, 2}, 3), (TComplex{-11, -2}));
}
