// Batches of sample points iterated together. The plain loop (one point at a
// time) defines every result; the fast paths keep several SIMD vectors of
// points in flight, refill a lane with the next point as soon as its point
// finishes, stop an orbit as soon as it provably repeats, and may share a
// batch among the engine's worker threads. Every path gives the same counts.
#pragma once

#include "base/UType.h"

#include <cstddef>
#include <cstdint>

namespace vistal {

class TWorkerPool;

// How kernels compute. Scalar is the plain loop, the definition; Auto takes
// the widest instruction set this processor has. The named sets force one
// path (tests and measurements); one the processor lacks falls back to the
// widest narrower one it has.
enum class TKernelPath : std::uint8_t { Scalar, Auto, Generic, Sse2, Avx2, Avx512 };

const char* KernelPathName(TKernelPath path);
// The path that actually runs on this processor for a requested one.
TKernelPath ResolveKernelPath(TKernelPath requested);
bool KernelPathSupported(TKernelPath path);

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
std::int32_t IterateOrbit(const TOrbitBatch& batch, double re, double im, TComplex* finalZ);

// The sample point i of a batch.
inline TComplex BatchPoint(const TOrbitBatch& b, int i) {
    if (b.points) return b.points[i];
    return TComplex{b.re[i * b.reStride], b.im[i * b.imStride]};
}

// Iterates a whole batch on the given path, on up to `threads` threads of the
// pool (the calling thread included; no pool or threads <= 1: the calling
// thread alone). Returns when every result is written; no worker is active
// afterwards.
void IterateBatch(const TOrbitBatch& batch, TKernelPath path, TWorkerPool* pool = nullptr, int threads = 1);

} // namespace vistal
