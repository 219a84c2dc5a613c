// SPDX-License-Identifier: GPL-3.0-or-later
// The lane engine on SSE2: 2 doubles per vector, masks as all-ones lanes.
#include "engine/kernels/KernelLanes.h"

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))

#include <bit>
#include <cstdint>
#include <emmintrin.h>
#include <utility>

namespace vistal::lanes {
namespace {
namespace sse2 {

struct V {
    static constexpr int W = 2;
    static constexpr int InFlight = 4;
    using D = __m128d;
    using M = __m128d;
    // Hides the pointer's value from the optimiser, so that loads through it
    // stay in the loop instead of occupying registers.
    static void Opaque(const double*& p) { __asm__("" : "+r"(p)); }
    static D Zero() { return _mm_setzero_pd(); }
    static D Set1(double x) { return _mm_set1_pd(x); }
    static D Load(const double* p) { return _mm_load_pd(p); }
    static void Store(double* p, D v) { _mm_store_pd(p, v); }
    static D Add(D a, D b) { return _mm_add_pd(a, b); }
    static D Sub(D a, D b) { return _mm_sub_pd(a, b); }
    static D Mul(D a, D b) { return _mm_mul_pd(a, b); }
    static M Ge(D a, D b) { return _mm_cmpge_pd(a, b); }
    // 64-bit equality from two 32-bit ones (SSE2 has no 64-bit compare).
    static __m128i Eq64(__m128i a, __m128i b) {
        const __m128i e = _mm_cmpeq_epi32(a, b);
        return _mm_and_si128(e, _mm_shuffle_epi32(e, _MM_SHUFFLE(2, 3, 0, 1)));
    }
    static M Same(D re, D im, const double* pr, const double* pi) {
        const __m128i r = Eq64(_mm_castpd_si128(re), _mm_load_si128(reinterpret_cast<const __m128i*>(pr)));
        const __m128i i = Eq64(_mm_castpd_si128(im), _mm_load_si128(reinterpret_cast<const __m128i*>(pi)));
        return _mm_castsi128_pd(_mm_and_si128(r, i));
    }
    static M None() { return _mm_setzero_pd(); }
    static M FromBits(unsigned bits) {
        return _mm_castsi128_pd(_mm_set_epi64x((bits & 2u) ? -1 : 0, (bits & 1u) ? -1 : 0));
    }
    // b where m is set, else a.
    static D Blend(D a, D b, M m) { return _mm_or_pd(_mm_and_pd(m, b), _mm_andnot_pd(m, a)); }
    // v with lane l set to x.
    static D Insert(D v, int l, double x) {
        return l == 0 ? _mm_move_sd(v, _mm_set_sd(x)) : _mm_unpacklo_pd(v, _mm_set_sd(x));
    }
    static M Or(M a, M b) { return _mm_or_pd(a, b); }
    static bool Any(M m) { return _mm_movemask_pd(m) != 0; }
    static unsigned Bits(M m) { return static_cast<unsigned>(_mm_movemask_pd(m)); }
    static __m128i LoadI(const std::int64_t* p) {
        return _mm_load_si128(reinterpret_cast<const __m128i*>(p));
    }
    static void StoreI(std::int64_t* p, __m128i v) { _mm_store_si128(reinterpret_cast<__m128i*>(p), v); }
    static __m128i BlendI(__m128i a, __m128i b, __m128i m) {
        return _mm_or_si128(_mm_and_si128(m, b), _mm_andnot_si128(m, a));
    }
    static void Fill(std::int64_t* p, std::int64_t x) { StoreI(p, _mm_set1_epi64x(x)); }
    // The lanes m start a new orbit at `step`: their window mask, the step and
    // the z saved.
    static void Restart(M m, std::int64_t step, std::int64_t window, std::int64_t* windowMask,
                        std::int64_t* savedAt, double* savedRe, double* savedIm, D re, D im) {
        const __m128i mi = _mm_castpd_si128(m);
        StoreI(windowMask, BlendI(LoadI(windowMask), _mm_set1_epi64x(window), mi));
        StoreI(savedAt, BlendI(LoadI(savedAt), _mm_set1_epi64x(step), mi));
        _mm_store_pd(savedRe, _mm_or_pd(_mm_and_pd(m, re), _mm_andnot_pd(m, _mm_load_pd(savedRe))));
        _mm_store_pd(savedIm, _mm_or_pd(_mm_and_pd(m, im), _mm_andnot_pd(m, _mm_load_pd(savedIm))));
    }
    // The lanes not in skip whose window ends at this step ((step & windowMask)
    // == 0) save (re, im) and the step; where four windows end, the window doubles.
    // Whole vectors are blended and stored, without branches or masked stores.
    static void Save(std::int64_t step, M skip, std::int64_t* windowMask, std::int64_t* savedAt,
                     double* savedRe, double* savedIm, D re, D im) {
        const __m128i zero = _mm_setzero_si128(), one = _mm_set1_epi64x(1);
        const __m128i s = _mm_set1_epi64x(step);
        const __m128i w = LoadI(windowMask);
        const __m128i m = _mm_andnot_si128(_mm_castpd_si128(skip), Eq64(_mm_and_si128(s, w), zero));
        const __m128d md = _mm_castsi128_pd(m);
        _mm_store_pd(savedRe, _mm_or_pd(_mm_and_pd(md, re), _mm_andnot_pd(md, _mm_load_pd(savedRe))));
        _mm_store_pd(savedIm, _mm_or_pd(_mm_and_pd(md, im), _mm_andnot_pd(md, _mm_load_pd(savedIm))));
        StoreI(savedAt, BlendI(LoadI(savedAt), s, m));
        const __m128i w2 = _mm_add_epi64(_mm_add_epi64(w, w), one);
        const __m128i w4 = _mm_add_epi64(_mm_add_epi64(w2, w2), one);
        const __m128i grow = _mm_and_si128(m, Eq64(_mm_and_si128(s, w4), zero));
        StoreI(windowMask, BlendI(w, w2, grow));
    }
};

#include "engine/kernels/KernelLanes.inc"

} // namespace sse2
} // namespace

TLaneEngine Sse2Lanes() {
    return &sse2::Run;
}
} // namespace vistal::lanes

#else

namespace vistal::lanes {
TLaneEngine Sse2Lanes() {
    return nullptr;
}
} // namespace vistal::lanes

#endif
