// SPDX-License-Identifier: GPL-3.0-or-later
// The kernels of extended drawing. They iterate exactly like the basic kernels
// but stop when |z|^2 reaches the square of the escape radius, and they give
// back the final z as well as the count: the first iterate with
// Re^2 + Im^2 >= EscapeSquared, or the last iterate computed when the orbit
// stayed bounded (count 0).
#pragma once

#include "base/UType.h"
#include "engine/kernels/KernelBatch.h"

#include <cstdint>

namespace vistal {

class TDeepPlan;

// Mandelbrot: z0 = 0, c = the point. Exponents 2 and 3 use the direct
// formulas, every other exponent ComplexPow.
std::int32_t IterateMandelbrotExt(double cRe, double cIm, std::int32_t iteration, int pow,
                                  double escapeSquared, TComplex& finalZ);
// Julia: z0 = the point, c = seed. The start point itself is never tested.
std::int32_t IterateJuliaExt(double zRe, double zIm, const TComplex& seed, std::int32_t iteration, int pow,
                             double escapeSquared, TComplex& finalZ);

enum class TExtKernelKind : std::uint8_t { Mandelbrot, Julia };

// An extended kernel bound to the parameters of one drawing. Extended drawing
// only ever iterates through this object, one row of samples at a time; it
// also keeps the engine's count of kernel calls (one per point).
class TExtKernel {
public:
    // path, pool and threads choose how a row is iterated, as for TKernel;
    // every path gives the plain loop's results.
    TExtKernel(TExtKernelKind kind, std::int32_t iteration, int pow, TComplex seed, double escapeSquared,
               std::uint64_t* calls, TKernelPath path = TKernelPath::Scalar, TWorkerPool* pool = nullptr,
               int threads = 1)
        : kind_(kind), iteration_(iteration), pow_(pow), seed_(seed), escapeSquared_(escapeSquared),
          calls_(calls), path_(path), pool_(pool), threads_(threads) {}

    TExtKernelKind Kind() const { return kind_; }
    std::int32_t Iteration() const { return iteration_; }
    int Pow() const { return pow_; }
    const TComplex& Seed() const { return seed_; }
    double EscapeSquared() const { return escapeSquared_; }

    // One sample point: its count, and its final z in finalZ.
    std::int32_t operator()(double re, double im, TComplex& finalZ) const {
        if (calls_) ++*calls_;
        return IterateOne(re, im, finalZ);
    }
    // n points sharing one imaginary part, re[i] + im·i: counts[i] and finalZ[i].
    void IterateRow(const double* re, double im, int n, std::int32_t* counts, TComplex* finalZ) const;
    // n sample points: counts[i] and finalZ[i].
    void IteratePoints(const TComplex* points, int n, std::int32_t* counts, TComplex* finalZ) const;
    // A deep view, as for TKernel::SetDeep.
    void SetDeep(const TDeepPlan* plan) { deep_ = plan; }
    const TDeepPlan* Deep() const { return deep_; }

private:
    std::int32_t IterateOne(double re, double im, TComplex& finalZ) const;
    TOrbitBatch Batch() const;

    TExtKernelKind kind_;
    std::int32_t iteration_;
    int pow_;
    TComplex seed_;
    double escapeSquared_;
    std::uint64_t* calls_;
    TKernelPath path_;
    TWorkerPool* pool_;
    int threads_;
    const TDeepPlan* deep_ = nullptr;
};

} // namespace vistal
