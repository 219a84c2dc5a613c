// SPDX-License-Identifier: GPL-3.0-or-later
// A batch of sample points iterated together, as the dispatch (KernelBatch.h)
// hands it to the plain loop or to the lane engines (KernelLanes.h).
#pragma once

#include "engine/kernels/PlainLoop.h"

#include <cstddef>
#include <cstdint>

namespace vistal {

// One batch: n sample points, point i = points[i] when points is set, else
// (re[i·reStride], im[i·imStride]) (a row: imStride 0).
// Mandelbrot orbits start at z = 0 with c = the point, Julia orbits at z = the
// point with c = seed. An orbit stops at the first iteration k (1..iteration)
// after which Re² + Im² >= bound, giving count k, or after `iteration`
// iterations, giving count 0.
struct TOrbitBatch {
    bool julia = false;
    int pow = 2; // 2 and 3 by their direct formulas, any other by ComplexPow
    std::int32_t iteration = 0;
    TComplex seed;
    double bound = 4; // 4 for the counting kernels, Escape² for the extended ones
    const TComplex* points = nullptr;
    const double* re = nullptr;
    std::ptrdiff_t reStride = 1;
    const double* im = nullptr;
    std::ptrdiff_t imStride = 0;
    int n = 0;
    std::int32_t* counts = nullptr; // n counts
    TComplex* finalZ = nullptr;     // n values of z where the loop stopped, or null
    // Stop an orbit whose z comes back bit for bit to an earlier value: it
    // repeats forever and never escapes. Changes no result; off only to measure it.
    bool detectCycles = true;

    // The n points re[i] + im·i of one row; im must outlive the batch.
    void SetRow(const double* rowRe, const double& rowIm, int count) {
        points = nullptr;
        re = rowRe;
        reStride = 1;
        im = &rowIm;
        imStride = 0;
        n = count;
    }
};

// The plain loop for one point: the definition of every batch result. With
// bound 4 it is the basic kernel of the formula and exponent.
inline std::int32_t IterateOrbit(const TOrbitBatch& b, double pointRe, double pointIm, TComplex* finalZ) {
    if (b.julia)
        return IterateOrbitPlain(pointRe, pointIm, b.seed.Re, b.seed.Im, b.iteration, b.pow, b.bound, finalZ);
    return IterateOrbitPlain(0.0, 0.0, pointRe, pointIm, b.iteration, b.pow, b.bound, finalZ);
}

// The sample point i of a batch.
inline TComplex BatchPoint(const TOrbitBatch& b, int i) {
    if (b.points) return b.points[i];
    return TComplex{b.re[i * b.reStride], b.im[i * b.imStride]};
}

} // namespace vistal
