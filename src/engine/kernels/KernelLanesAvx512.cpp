// SPDX-License-Identifier: GPL-3.0-or-later
// The lane engine on AVX-512: 8 doubles per vector, masks in mask registers.
#include "engine/kernels/KernelLanes.h"

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))

#include <bit>
#include <cstdint>
#include <immintrin.h>
#include <utility>

#if defined(__clang__)
#pragma clang attribute push(__attribute__((target("avx512f"))), apply_to = function)
#else
#pragma GCC push_options
#pragma GCC target("avx512f")
#endif

namespace vistal::lanes {
namespace {
namespace avx512 {

struct V {
    static constexpr int W = 8;
    static constexpr int InFlight = 4;
    using D = __m512d;
    using M = __mmask8;
    // Hides the pointer's value from the optimiser, so that loads through it
    // stay in the loop instead of occupying registers.
    static void Opaque(const double*& p) { __asm__("" : "+r"(p)); }
    static D Zero() { return _mm512_setzero_pd(); }
    static D Set1(double x) { return _mm512_set1_pd(x); }
    static D Load(const double* p) { return _mm512_load_pd(p); }
    static void Store(double* p, D v) { _mm512_store_pd(p, v); }
    static D Add(D a, D b) { return _mm512_add_pd(a, b); }
    static D Sub(D a, D b) { return _mm512_sub_pd(a, b); }
    static D Mul(D a, D b) { return _mm512_mul_pd(a, b); }
    // a >= b, false when either is not a number (as the scalar comparison).
    static M Ge(D a, D b) { return _mm512_cmp_pd_mask(a, b, _CMP_GE_OQ); }
    // Lanes where (re, im) has exactly the bits stored at (pr, pi).
    static M Same(D re, D im, const double* pr, const double* pi) {
        const M m = _mm512_cmpeq_epi64_mask(_mm512_castpd_si512(re), _mm512_load_si512(pr));
        return _mm512_mask_cmpeq_epi64_mask(m, _mm512_castpd_si512(im), _mm512_load_si512(pi));
    }
    static M None() { return 0; }
    static M FromBits(unsigned bits) { return static_cast<M>(bits); }
    // b where m is set, else a.
    static D Blend(D a, D b, M m) { return _mm512_mask_mov_pd(a, m, b); }
    // v with lane l set to x.
    static D Insert(D v, int l, double x) {
        return _mm512_mask_broadcastsd_pd(v, static_cast<M>(1u << l), _mm_set_sd(x));
    }
    static M Or(M a, M b) { return static_cast<M>(a | b); }
    static bool Any(M m) { return m != 0; }
    static unsigned Bits(M m) { return m; }
    static void Fill(std::int64_t* p, std::int64_t x) { _mm512_store_si512(p, _mm512_set1_epi64(x)); }
    // The lanes m start a new orbit at `step`: their window mask, the step and
    // the z saved.
    static void Restart(M m, std::int64_t step, std::int64_t window, std::int64_t* windowMask,
                        std::int64_t* savedAt, double* savedRe, double* savedIm, D re, D im) {
        _mm512_store_si512(
            windowMask, _mm512_mask_mov_epi64(_mm512_load_si512(windowMask), m, _mm512_set1_epi64(window)));
        _mm512_store_si512(savedAt,
                           _mm512_mask_mov_epi64(_mm512_load_si512(savedAt), m, _mm512_set1_epi64(step)));
        _mm512_store_pd(savedRe, _mm512_mask_mov_pd(_mm512_load_pd(savedRe), m, re));
        _mm512_store_pd(savedIm, _mm512_mask_mov_pd(_mm512_load_pd(savedIm), m, im));
    }
    // The lanes not in skip whose window ends at this step ((step & windowMask)
    // == 0) save (re, im) and the step; where four windows end, the window doubles.
    // Whole vectors are blended and stored, without branches or masked stores.
    static void Save(std::int64_t step, M skip, std::int64_t* windowMask, std::int64_t* savedAt,
                     double* savedRe, double* savedIm, D re, D im) {
        const __m512i s = _mm512_set1_epi64(step), one = _mm512_set1_epi64(1);
        const __m512i w = _mm512_load_si512(windowMask);
        const M m = _mm512_mask_testn_epi64_mask(static_cast<M>(~skip), s, w);
        _mm512_store_pd(savedRe, _mm512_mask_mov_pd(_mm512_load_pd(savedRe), m, re));
        _mm512_store_pd(savedIm, _mm512_mask_mov_pd(_mm512_load_pd(savedIm), m, im));
        _mm512_store_si512(savedAt, _mm512_mask_mov_epi64(_mm512_load_si512(savedAt), m, s));
        const __m512i w2 = _mm512_add_epi64(_mm512_add_epi64(w, w), one);   // 2·window - 1
        const __m512i w4 = _mm512_add_epi64(_mm512_add_epi64(w2, w2), one); // 4·window - 1
        _mm512_store_si512(windowMask, _mm512_mask_mov_epi64(w, _mm512_mask_testn_epi64_mask(m, s, w4), w2));
    }
};

#include "engine/kernels/KernelLanes.inc"

} // namespace avx512
} // namespace
} // namespace vistal::lanes

#if defined(__clang__)
#pragma clang attribute pop
#else
#pragma GCC pop_options
#endif

namespace vistal::lanes {
TLaneEngine Avx512Lanes() {
    return &avx512::Run;
}
} // namespace vistal::lanes

#else

namespace vistal::lanes {
TLaneEngine Avx512Lanes() {
    return nullptr;
}
} // namespace vistal::lanes

#endif
