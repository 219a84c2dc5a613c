// SPDX-License-Identifier: GPL-3.0-or-later
// Deep views: views finer than doubles resolve. Their sample points are given
// relative to the view, in pixels from its centre (u to the right, v up), and
// a plan made once per drawing turns them into counts:
//
// - by perturbation: one orbit of the centre, computed with MPFR to the bits
//   the view needs and kept as doubles, and per sample only the difference δ
//   of its orbit from that one, in doubles. When the sample's z comes nearer
//   0 than δ is (|Z + δ| < |δ|), or the reference ends, δ is rebased onto
//   the orbit of the critical point 0 (for the Mandelbrot set, the reference
//   itself from its start; for a Julia set, a second orbit from 0), so any
//   reference in the view serves every sample and no glitch is left to find.
//   A reference that comes back to 0 within a small part of a pixel (the
//   nucleus of a periodic component) ends there: its orbit repeats.
// - with bilinear approximations: tables that jump 2^l iterations at once,
//   δ ← A·δ + B·δc, where the jump is as good as the iterations it skips
//   (relative error 2^-53).
// - with numbers of their own exponent (FloatExp.h) wherever a δ, a δc or a
//   coefficient would fall outside double's range (spans below about 1e-270).
// - or exactly (TDeepParameters::Exact): every sample iterated with MPFR, the
//   truth the tests hold the perturbation to, slow, for small pictures.
//
// Counts mean what the plain loop's counts mean: z0 = 0 (Mandelbrot) or the
// sample (Julia), the first k with |z_k|² ≥ the bound, 0 for an orbit that
// stays below it for all iterations; the final z is that of the plain loop,
// z_k, or the last iterate for count 0.
#pragma once

#include "base/FloatExp.h"
#include "base/Mpfr.h"
#include "base/UType.h"
#include "engine/kernels/OrbitBatch.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace vistal {

class TWorkerPool;
namespace lanes {
struct TBatchCursor;
}

struct TDeepParameters {
    TMpfr CenterRe, CenterIm;
    TFloatExp Span; // ImSpan, above 0
    int Width = 1, Height = 1;
    bool Julia = false;
    int Pow = 2;
    TComplex Seed; // the Julia constant
    std::int32_t Iteration = 0;
    double Bound = 4; // 4 for the counting kernels, Escape² for extended drawing
    bool Exact = false;
    long ExactBits = 0; // 0: ExactBitsFor the view

    // Whether two parameter sets make the same plan.
    bool SameAs(const TDeepParameters& other) const;
    // The precision of exact iteration when none is given: a quarter more
    // than the view's bits, since an orbit loses bits as it goes.
    long ExactBitsFor() const;
};

// What the plan is doing while it is made, for progress reports.
enum class TDeepPhase : std::uint8_t { Reference, Tables };

// Called while a plan is made with the phase and the share of it done; may
// throw (an abort) to stop the making.
using TDeepProgress = std::function<void(TDeepPhase, double)>;

// One reference orbit with its approximation tables.
struct TDeepOrbit;

class TDeepPlan {
public:
    explicit TDeepPlan(const TDeepParameters& parameters);
    ~TDeepPlan();
    TDeepPlan(const TDeepPlan&) = delete;
    TDeepPlan& operator=(const TDeepPlan&) = delete;

    const TDeepParameters& Parameters() const { return p_; }
    bool Prepared() const { return prepared_; }
    // Computes the reference orbits and their tables (nothing for exact
    // iteration). An exception from progress leaves the plan unprepared.
    void Prepare(const TDeepProgress& progress);

    // The count of the sample (u, v) pixels from the centre, and its final z.
    std::int32_t Iterate(double u, double v, TComplex* finalZ) const;
    // Every sample of a batch (its points are (u, v) pairs; its formula,
    // limit and bound are the plan's), shared among up to `threads` threads of
    // the pool. Each sample's result is independent of the others and of the
    // threads.
    void IterateBatch(const TOrbitBatch& batch, TWorkerPool* pool, int threads) const;

    // What making the plan found, for the benchmarks and the tests.
    struct TStatistics {
        std::int64_t ReferenceLength = 0; // iterations of the reference of the centre
        bool Periodic = false;            // it ended at a nucleus
        bool ExtendedRange = false;       // numbers beyond double's range are in use
        long Bits = 0;                    // precision of the reference
        std::uint64_t Bytes = 0;          // memory of the orbits and tables
        // Since the plan was made: iterations of the samples, and how many
        // of them were perturbed one by one (the others were jumped over).
        std::uint64_t Iterations = 0, Steps = 0;
    };
    TStatistics Statistics() const;

private:
    struct TSample;
    void MakeReference(const TMpfr& refRe, const TMpfr& refIm, const TDeepProgress& progress);
    template <bool kExtended> bool Start(TSample& s, const TOrbitBatch& b, int index) const;
    static bool IsSmall(const TExpComplex& d);
    bool RunSmall(TSample& s, TExpComplex d, const TOrbitBatch& b) const;
    template <bool kExtended, bool kPow2>
    bool Advance(TSample& s, const TOrbitBatch& b, std::int64_t limit, double bound,
                 std::uint64_t& steps) const;
    template <bool kExtended, bool kPow2>
    void RunSamples(const TOrbitBatch& b, lanes::TBatchCursor& cursor) const;
    template <bool kExtended> void RunPairs(const TOrbitBatch& b, lanes::TBatchCursor& cursor) const;

    std::int32_t IterateExact(double u, double v, TComplex* finalZ) const;

    TDeepParameters p_;
    bool prepared_ = false;
    bool extended_ = false;            // spans so fine that δc lies below double's range
    double step_ = 0;                  // the pixel spacing as a double (0 when below its range)
    TFloatExp stepExp_;                // the pixel spacing
    double offsetU_ = 0, offsetV_ = 0; // the centre minus the reference, in pixels
    std::vector<std::unique_ptr<TDeepOrbit>> orbits_; // [0] from the centre; Julia: [1] from 0
    long bits_ = 0;
    mutable std::atomic<std::uint64_t> iterations_{0}, steps_{0};
};

// The memory a plan may take at most for an iteration limit: the orbits and
// their tables, in bytes (a Julia view keeps two orbits).
std::uint64_t DeepPlanMemoryBound(std::int32_t iteration, bool julia);

} // namespace vistal
