// SPDX-License-Identifier: GPL-3.0-or-later
// The ceiling of this processor for the exponent-2 loop: the same arithmetic
// as the lane engine (4 vectors of 8 lanes, no fused multiply-add), but no
// orbit ever leaves, so nothing but the arithmetic and one test per step is
// measured. No drawing can iterate faster than this per core.
#include "BenchViews.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <thread>
#include <vector>

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>
#define VISTAL_CEILING 1
#endif

namespace vistal::bench {

namespace {

#ifdef VISTAL_CEILING

constexpr int kVectors = 4;

// Steps 32 orbits inside the main cardioid `steps` times; returns the steps
// done (all of them unless an orbit escaped, which these never do).
__attribute__((target("avx512f"), noinline)) std::int64_t BareLoop(std::int64_t steps) {
    __m512d re[kVectors], im[kVectors], re2[kVectors], im2[kVectors], cre[kVectors], cim[kVectors];
    const __m512d bound = _mm512_set1_pd(4.0);
    __m512d two = _mm512_set1_pd(2.0);
    __asm__("" : "+v"(two)); // a multiplication, as the lane engine does
    for (int u = 0; u < kVectors; ++u) {
        re[u] = im[u] = re2[u] = im2[u] = _mm512_setzero_pd();
        cre[u] = _mm512_set1_pd(-0.1 - 0.05 * u);
        cim[u] = _mm512_set1_pd(0.1);
    }
    std::int64_t s = 0;
    for (; s < steps; ++s) {
        __mmask8 any = 0;
#pragma GCC unroll 4
        for (int u = 0; u < kVectors; ++u) {
            const __m512d nIm = _mm512_add_pd(_mm512_mul_pd(_mm512_mul_pd(two, re[u]), im[u]), cim[u]);
            re[u] = _mm512_add_pd(_mm512_sub_pd(re2[u], im2[u]), cre[u]);
            im[u] = nIm;
            re2[u] = _mm512_mul_pd(re[u], re[u]);
            im2[u] = _mm512_mul_pd(im[u], im[u]);
            any |= _mm512_cmp_pd_mask(_mm512_add_pd(re2[u], im2[u]), bound, _CMP_GE_OQ);
        }
        if (any) break;
    }
    return s;
}

void Ceiling(benchmark::State& state, int threads) {
    if (!__builtin_cpu_supports("avx512f")) {
        state.SkipWithError("no AVX-512 on this processor");
        return;
    }
    constexpr std::int64_t kSteps = 2'000'000;
    double seconds = 0;
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        std::vector<std::thread> others;
        for (int t = 1; t < threads; ++t)
            others.emplace_back([] { benchmark::DoNotOptimize(BareLoop(kSteps)); });
        benchmark::DoNotOptimize(BareLoop(kSteps));
        for (std::thread& t : others)
            t.join();
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    }
    const double laneSteps = double(kSteps) * kVectors * 8 * threads;
    const double n = double(state.iterations());
    state.counters["Giter"] = benchmark::Counter(laneSteps * n / 1e9, benchmark::Counter::kIsRate);
    Record("ceiling/avx512", threads == 1 ? "bare-1thread" : "bare", seconds / n, laneSteps, 0, threads);
}

const bool registered = [] {
    const int all = std::max(1u, std::thread::hardware_concurrency());
    benchmark::RegisterBenchmark("ceiling/avx512/bare-1thread", Ceiling, 1)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark("ceiling/avx512/bare", Ceiling, static_cast<int>(all))
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    return true;
}();

#endif

} // namespace

} // namespace vistal::bench
