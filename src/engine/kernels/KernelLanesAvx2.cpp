// SPDX-License-Identifier: GPL-3.0-or-later
// The lane engine on AVX2: 4 doubles per vector, masks as all-ones lanes.
#include "engine/kernels/KernelLanes.h"

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))

#include <bit>
#include <cstdint>
#include <immintrin.h>
#include <utility>

#if defined(__clang__)
#pragma clang attribute push(__attribute__((target("avx2"))), apply_to = function)
#else
#pragma GCC push_options
#pragma GCC target("avx2")
#endif

namespace vistal::lanes {
namespace {
namespace avx2 {

struct V {
    static constexpr int W = 4;
    static constexpr int InFlight = 4;
    using D = __m256d;
    using M = __m256d;
    // Hides the pointer's value from the optimiser, so that loads through it
    // stay in the loop instead of occupying registers.
    static void Opaque(const double*& p) { __asm__("" : "+r"(p)); }
    static D Zero() { return _mm256_setzero_pd(); }
    static D Set1(double x) { return _mm256_set1_pd(x); }
    static D Load(const double* p) { return _mm256_load_pd(p); }
    static void Store(double* p, D v) { _mm256_store_pd(p, v); }
    static D Add(D a, D b) { return _mm256_add_pd(a, b); }
    static D Sub(D a, D b) { return _mm256_sub_pd(a, b); }
    static D Mul(D a, D b) { return _mm256_mul_pd(a, b); }
    static M Ge(D a, D b) { return _mm256_cmp_pd(a, b, _CMP_GE_OQ); }
    static M Same(D re, D im, const double* pr, const double* pi) {
        const __m256i r = _mm256_cmpeq_epi64(_mm256_castpd_si256(re),
                                             _mm256_load_si256(reinterpret_cast<const __m256i*>(pr)));
        const __m256i i = _mm256_cmpeq_epi64(_mm256_castpd_si256(im),
                                             _mm256_load_si256(reinterpret_cast<const __m256i*>(pi)));
        return _mm256_castsi256_pd(_mm256_and_si256(r, i));
    }
    static M None() { return _mm256_setzero_pd(); }
    static M FromBits(unsigned bits) {
        const __m256i lanes = _mm256_set_epi64x(8, 4, 2, 1);
        return _mm256_castsi256_pd(
            _mm256_cmpeq_epi64(_mm256_and_si256(_mm256_set1_epi64x(bits), lanes), lanes));
    }
    // b where m is set, else a.
    static D Blend(D a, D b, M m) { return _mm256_blendv_pd(a, b, m); }
    // v with lane l set to x.
    static D Insert(D v, int l, double x) {
        const __m256i lane = _mm256_cmpeq_epi64(_mm256_set1_epi64x(l), _mm256_setr_epi64x(0, 1, 2, 3));
        return _mm256_blendv_pd(v, _mm256_set1_pd(x), _mm256_castsi256_pd(lane));
    }
    static M Or(M a, M b) { return _mm256_or_pd(a, b); }
    static bool Any(M m) { return _mm256_movemask_pd(m) != 0; }
    static unsigned Bits(M m) { return static_cast<unsigned>(_mm256_movemask_pd(m)); }
    static __m256i LoadI(const std::int64_t* p) {
        return _mm256_load_si256(reinterpret_cast<const __m256i*>(p));
    }
    static void StoreI(std::int64_t* p, __m256i v) { _mm256_store_si256(reinterpret_cast<__m256i*>(p), v); }
    static __m256i BlendI(__m256i a, __m256i b, __m256i m) {
        return _mm256_castpd_si256(
            _mm256_blendv_pd(_mm256_castsi256_pd(a), _mm256_castsi256_pd(b), _mm256_castsi256_pd(m)));
    }
    static void Fill(std::int64_t* p, std::int64_t x) { StoreI(p, _mm256_set1_epi64x(x)); }
    // The lanes m start a new orbit at `step`: their window mask, the step and
    // the z saved.
    static void Restart(M m, std::int64_t step, std::int64_t window, std::int64_t* windowMask,
                        std::int64_t* savedAt, double* savedRe, double* savedIm, D re, D im) {
        const __m256i mi = _mm256_castpd_si256(m);
        StoreI(windowMask, BlendI(LoadI(windowMask), _mm256_set1_epi64x(window), mi));
        StoreI(savedAt, BlendI(LoadI(savedAt), _mm256_set1_epi64x(step), mi));
        _mm256_store_pd(savedRe, _mm256_blendv_pd(_mm256_load_pd(savedRe), re, m));
        _mm256_store_pd(savedIm, _mm256_blendv_pd(_mm256_load_pd(savedIm), im, m));
    }
    // The lanes not in skip whose window ends at this step ((step & windowMask)
    // == 0) save (re, im) and the step; where four windows end, the window doubles.
    // Whole vectors are blended and stored, without branches or masked stores.
    static void Save(std::int64_t step, M skip, std::int64_t* windowMask, std::int64_t* savedAt,
                     double* savedRe, double* savedIm, D re, D im) {
        const __m256i zero = _mm256_setzero_si256(), one = _mm256_set1_epi64x(1);
        const __m256i s = _mm256_set1_epi64x(step);
        const __m256i w = LoadI(windowMask);
        const __m256i m =
            _mm256_andnot_si256(_mm256_castpd_si256(skip), _mm256_cmpeq_epi64(_mm256_and_si256(s, w), zero));
        const __m256d md = _mm256_castsi256_pd(m);
        _mm256_store_pd(savedRe, _mm256_blendv_pd(_mm256_load_pd(savedRe), re, md));
        _mm256_store_pd(savedIm, _mm256_blendv_pd(_mm256_load_pd(savedIm), im, md));
        StoreI(savedAt, BlendI(LoadI(savedAt), s, m));
        const __m256i w2 = _mm256_add_epi64(_mm256_add_epi64(w, w), one);
        const __m256i w4 = _mm256_add_epi64(_mm256_add_epi64(w2, w2), one);
        const __m256i grow = _mm256_and_si256(m, _mm256_cmpeq_epi64(_mm256_and_si256(s, w4), zero));
        StoreI(windowMask, BlendI(w, w2, grow));
    }
};

#include "engine/kernels/KernelLanes.inc"

} // namespace avx2
} // namespace
} // namespace vistal::lanes

#if defined(__clang__)
#pragma clang attribute pop
#else
#pragma GCC pop_options
#endif

namespace vistal::lanes {
TLaneEngine Avx2Lanes() {
    return &avx2::Run;
}
} // namespace vistal::lanes

#else

namespace vistal::lanes {
TLaneEngine Avx2Lanes() {
    return nullptr;
}
} // namespace vistal::lanes

#endif
