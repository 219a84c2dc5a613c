// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/kernels/ExtKernels.h"
#include "engine/kernels/Kernels.h"

#include <gtest/gtest.h>

using namespace vistal;

TEST(ExtKernels, WithRadiusTwoCountLikeTheBasicKernels) {
    const TComplex seed{-0.4, 0.6};
    for (int pow : {2, 3, 4, 5}) {
        for (double re = -2.0; re <= 2.0; re += 0.0625) {
            for (double im = -1.5; im <= 1.5; im += 0.09375) {
                TComplex z;
                std::int32_t m = IterateMandelbrotExt(re, im, 150, pow, 4.0, z);
                ASSERT_EQ(m, CountMandelbrotN(re, im, 150, pow)) << pow << " " << re << "," << im;
                if (m != 0) {
                    ASSERT_GE(z.Re * z.Re + z.Im * z.Im, 4.0);
                }
                std::int32_t j = IterateJuliaExt(re, im, seed, 150, pow, 4.0, z);
                ASSERT_EQ(j, CountJuliaN(re, im, seed, 150, pow)) << pow << " " << re << "," << im;
            }
        }
    }
}

TEST(ExtKernels, FinalValueAndRadius) {
    TComplex z;
    // c = 1: z = 1, then 2, which reaches radius 2 exactly.
    EXPECT_EQ(IterateMandelbrotExt(1, 0, 100, 2, 4.0, z), 2);
    EXPECT_EQ(z, (TComplex{2, 0}));
    // A larger radius lets the same orbit run on: 2, 5, 26, 677 (677² > 1e5).
    EXPECT_EQ(IterateMandelbrotExt(1, 0, 100, 2, 1e5, z), 5);
    EXPECT_EQ(z, (TComplex{677, 0}));
    // Bounded orbit: count 0 and the last iterate computed (c = -1 cycles 0, -1).
    EXPECT_EQ(IterateMandelbrotExt(-1, 0, 7, 2, 4.0, z), 0);
    EXPECT_EQ(z, (TComplex{-1, 0}));
    // The Julia start point itself is never tested.
    EXPECT_EQ(IterateJuliaExt(3, 0, {0, 0}, 100, 2, 4.0, z), 1);
    EXPECT_EQ(z, (TComplex{9, 0}));
    // Exponent 3 by its direct formula: c = 1 gives 1, 2.
    EXPECT_EQ(IterateMandelbrotExt(1, 0, 100, 3, 4.0, z), 2);
    EXPECT_EQ(z, (TComplex{2, 0}));
    // No iterations: count 0, z the start value.
    EXPECT_EQ(IterateJuliaExt(0.5, 0.25, {0, 0}, 0, 2, 4.0, z), 0);
    EXPECT_EQ(z, (TComplex{0.5, 0.25}));
    // Radius 1: any first iterate outside the unit circle counts 1.
    EXPECT_EQ(IterateMandelbrotExt(0.6, 0.8, 100, 2, 1.0, z), 1);
    EXPECT_EQ(IterateMandelbrotExt(0.5, 0.5, 100, 2, 1.0, z), 2); // |z1|² = 0.5, z2 = (0.5, 1)
}
