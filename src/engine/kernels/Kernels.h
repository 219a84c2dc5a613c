// The escape-time kernels. A count k >= 1 is the iteration after which |z|^2
// first reached 4; 0 means the orbit stayed bounded for all iterations.
#pragma once

#include "base/UType.h"
#include "engine/kernels/KernelBatch.h"

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

    // The count of one sample point.
    std::int32_t operator()(double re, double im) const {
        if (calls_) ++*calls_;
        return CountOne(re, im);
    }
    // The counts of n points sharing one imaginary part: re[i] + im·i.
    void CountRow(const double* re, double im, int n, std::int32_t* counts) const;
    // The counts of n arbitrary points.
    void CountPoints(const TComplex* points, int n, std::int32_t* counts) const;

private:
    std::int32_t CountOne(double re, double im) const;

    TKernelKind kind_;
    std::int32_t iteration_;
    int pow_;
    TComplex seed_;
    std::uint64_t* calls_;
    TKernelPath path_;
    TWorkerPool* pool_;
    int threads_;
};

} // namespace vistal
