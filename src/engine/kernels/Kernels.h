// SPDX-License-Identifier: GPL-3.0-or-later
// The escape-time kernel of the basic drawing methods. Its counts are those of
// the plain loop (engine/kernels/PlainLoop.h) with bound 4.
#pragma once

#include "base/UType.h"
#include "engine/kernels/KernelBatch.h"

#include <cstdint>

namespace vistal {

class TDeepPlan;

enum class TKernelKind : std::uint8_t { Mandelbrot2, MandelbrotN, Julia2, JuliaN };

// A kernel bound to the parameters of one drawing. Drawing methods only ever
// count through this object; it also keeps the engine's count of kernel calls.
class TKernel {
public:
    // path and threads choose how the batch calls compute (pool may be null:
    // the calling thread alone); the counts are the same on every path.
    TKernel(TKernelKind kind, std::int32_t iteration, int pow, TComplex seed, std::uint64_t* calls,
            TKernelPath path = TKernelPath::Scalar, TWorkerPool* pool = nullptr, int threads = 1)
        : kind_(kind), iteration_(iteration), pow_(pow), seed_(seed), calls_(calls), path_(path), pool_(pool),
          threads_(threads) {}

    TKernelKind Kind() const { return kind_; }
    std::int32_t Iteration() const { return iteration_; }
    int Pow() const { return pow_; }
    const TComplex& Seed() const { return seed_; }
    TKernelPath Path() const { return path_; }
    int Threads() const { return threads_; }
    // The batch for n points with this kernel's formula, exponent and limit
    // (bound 4, counts only); the caller sets the points and outputs.
    TOrbitBatch Batch() const;
    // A deep view: the points are samples relative to the view (DeepKernel.h)
    // and the plan counts them. The plan must outlive the kernel's calls.
    void SetDeep(const TDeepPlan* plan) { deep_ = plan; }
    const TDeepPlan* Deep() const { return deep_; }

    // The count of one sample point.
    std::int32_t operator()(double re, double im) const {
        if (calls_) ++*calls_;
        return CountOne(re, im);
    }
    // The counts of n points sharing one imaginary part: re[i] + im·i. With
    // nu, also each point's continuous count (engine/kernels/SmoothCount.h,
    // escape radius 2), from the z where its orbit stopped.
    void CountRow(const double* re, double im, int n, std::int32_t* counts, double* nu = nullptr) const;
    // The counts of n arbitrary points (and their continuous counts).
    void CountPoints(const TComplex* points, int n, std::int32_t* counts, double* nu = nullptr) const;

private:
    std::int32_t CountOne(double re, double im) const;
    // The batch of n points with its outputs: counts, and ν through the final z.
    void Count(TOrbitBatch& b, std::int32_t* counts, double* nu) const;

    TKernelKind kind_;
    std::int32_t iteration_;
    int pow_;
    TComplex seed_;
    std::uint64_t* calls_;
    TKernelPath path_;
    TWorkerPool* pool_;
    int threads_;
    const TDeepPlan* deep_ = nullptr;
};

} // namespace vistal
