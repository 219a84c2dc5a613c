// SPDX-License-Identifier: GPL-3.0-or-later
// The plain loop: one orbit at a time, the definition of every count. A count
// k >= 1 is the iteration after which |z|^2 first reached the bound (4 for the
// counting kernels); 0 means the orbit stayed below it for all iterations.
// Every faster path (the lanes, the threads, the row groups) must give exactly
// these results.
#pragma once

#include "base/UType.h"

#include <cstdint>

namespace vistal {

// z^n for n >= 2 by repeated squaring; z itself for n <= 1.
TComplex ComplexPow(const TComplex& z, int n);

// The plain orbit loop that defines every result: from z = (re, im) with the
// constant c, at most `iteration` steps of z^pow + c (exponents 2 and 3 by
// their direct formulas), stopping at the first step k after which
// Re^2 + Im^2 >= bound (count k) or after the last step (count 0). finalZ, when
// given, receives the z where the loop stopped.
std::int32_t IterateOrbitPlain(double re, double im, double cRe, double cIm, std::int32_t iteration, int pow,
                               double bound, TComplex* finalZ);

// Plain kernels: the definition that every faster path must match.
std::int32_t CountMandelbrot2(double cRe, double cIm, std::int32_t iteration);
std::int32_t CountMandelbrotN(double cRe, double cIm, std::int32_t iteration, int pow);
std::int32_t CountJulia2(double zRe, double zIm, const TComplex& seed, std::int32_t iteration);
std::int32_t CountJuliaN(double zRe, double zIm, const TComplex& seed, std::int32_t iteration, int pow);

} // namespace vistal
