// SPDX-License-Identifier: GPL-3.0-or-later
// What the engine makes of the kernels: the kernel bound to its formula and
// exponent, which counts its calls, and the colour of a count.
#include "engine/kernels/Kernels.h"
#include "engine/vistal_class.h"

#include <gtest/gtest.h>

using namespace vistal;

TEST(Kernel, ColorOfCyclesThroughThePalette) {
    TVistal v; // standard palette, 127 colours
    const auto& p = v.Palette();
    EXPECT_EQ(v.ColorOf(0), p[0]);
    EXPECT_EQ(v.ColorOf(1), p[2]);
    EXPECT_EQ(v.ColorOf(126), p[127]);
    EXPECT_EQ(v.ColorOf(127), p[1]);
    EXPECT_EQ(v.ColorOf(128), p[2]);
    v.SetDetail(3);
    EXPECT_EQ(v.ColorOf(1), p[1]);
    EXPECT_EQ(v.ColorOf(2), p[1]);
    EXPECT_EQ(v.ColorOf(3), p[2]);
    v.SetDetail(0); // would divide by zero
    EXPECT_THROW(v.ColorOf(5), ERangeError);
    EXPECT_EQ(v.ColorOf(0), p[0]);
}

TEST(Kernel, BoundKernelCountsItsCalls) {
    TVistal v;
    TKernel k = v.MakeKernel();
    EXPECT_EQ(k.Kind(), TKernelKind::Mandelbrot2);
    EXPECT_EQ(k(1, 0), 2);
    double re[3] = {0, 2, 1};
    std::int32_t counts[3];
    k.CountRow(re, 0, 3, counts);
    EXPECT_EQ(counts[0], 0);
    EXPECT_EQ(counts[1], 1);
    EXPECT_EQ(counts[2], 2);
    EXPECT_EQ(v.KernelCalls, 4u);
    v.SetPow(3);
    EXPECT_EQ(v.MakeKernel().Kind(), TKernelKind::MandelbrotN);
    v.SetFormula(fmJulia);
    EXPECT_EQ(v.MakeKernel().Kind(), TKernelKind::JuliaN);
    v.SetPow(2);
    EXPECT_EQ(v.MakeKernel().Kind(), TKernelKind::Julia2);
}
