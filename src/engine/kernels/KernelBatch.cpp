// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/kernels/KernelBatch.h"

#include "base/WorkerPool.h"
#include "engine/kernels/KernelLanes.h"
#include "engine/kernels/PlainLoop.h"

#include <algorithm>
#include <atomic>

namespace vistal {

namespace {

// Below this much work (iterations, estimated from the previous batch) a batch
// runs on the calling thread alone: waking the workers would cost more.
constexpr double kMinSplitWork = 20000;
// Batches of fewer points run on the calling thread alone: sharing a row as
// short as the 200-point start-up picture's costs more than it saves.
constexpr int kMinSplitPoints = 256;
// Points taken from the shared cursor at a time when threads share a batch:
// about four chunks per thread, so that the threads finish together. Small
// chunks interleave the threads' points and counts finely in memory, which
// costs more than it balances: with 256-point chunks a batch of 16 200 short
// orbits ran hardly faster on two cores than on one.
int ChunkSize(int n, int threads) {
    return std::clamp(n / (threads * 4), 8, 4096);
}

bool CpuHas(TKernelPath path) {
    switch (path) {
    case TKernelPath::Scalar:
    case TKernelPath::Auto:
    case TKernelPath::Generic:
        return true;
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
    case TKernelPath::Sse2:
        return true;
    case TKernelPath::Avx2:
        return __builtin_cpu_supports("avx2");
    case TKernelPath::Avx512:
        return __builtin_cpu_supports("avx512f");
#else
    default:
        return false;
#endif
    }
    return false;
}

lanes::TLaneEngine EngineOf(TKernelPath path) {
    switch (path) {
    case TKernelPath::Generic:
        return lanes::GenericLanes();
    case TKernelPath::Sse2:
        return lanes::Sse2Lanes();
    case TKernelPath::Avx2:
        return lanes::Avx2Lanes();
    case TKernelPath::Avx512:
        return lanes::Avx512Lanes();
    default:
        return nullptr;
    }
}

// The plain loop over the points a thread takes from the cursor.
std::uint64_t RunPlain(const TOrbitBatch& b, lanes::TBatchCursor& shared) {
    lanes::TLocalCursor cursor(shared);
    const bool basic = b.bound == 4 && !b.finalZ;
    std::uint64_t work = 0;
    for (int i = cursor.Next(); i >= 0; i = cursor.Next()) {
        const TComplex point = BatchPoint(b, i);
        const double re = point.Re, im = point.Im;
        std::int32_t count;
        if (basic) {
            if (!b.julia)
                count = b.pow == 2 ? CountMandelbrot2(re, im, b.iteration)
                                   : CountMandelbrotN(re, im, b.iteration, b.pow);
            else
                count = b.pow == 2 ? CountJulia2(re, im, b.seed, b.iteration)
                                   : CountJuliaN(re, im, b.seed, b.iteration, b.pow);
        } else {
            count = IterateOrbit(b, re, im, b.finalZ ? &b.finalZ[i] : nullptr);
        }
        b.counts[i] = count;
        work += static_cast<std::uint64_t>(count > 0 ? count : std::max<std::int32_t>(b.iteration, 0));
    }
    return work;
}

} // namespace

const char* KernelPathName(TKernelPath path) {
    switch (path) {
    case TKernelPath::Scalar:
        return "scalar";
    case TKernelPath::Auto:
        return "auto";
    case TKernelPath::Generic:
        return "generic";
    case TKernelPath::Sse2:
        return "sse2";
    case TKernelPath::Avx2:
        return "avx2";
    case TKernelPath::Avx512:
        return "avx512";
    }
    return "?";
}

bool KernelPathSupported(TKernelPath path) {
    if (path == TKernelPath::Scalar || path == TKernelPath::Auto) return true;
    return CpuHas(path) && EngineOf(path) != nullptr;
}

TKernelPath ResolveKernelPath(TKernelPath requested) {
    if (requested == TKernelPath::Scalar || requested == TKernelPath::Generic) return requested;
    static constexpr TKernelPath widestFirst[] = {TKernelPath::Avx512, TKernelPath::Avx2, TKernelPath::Sse2};
    bool narrowEnough = requested == TKernelPath::Auto;
    for (TKernelPath p : widestFirst) {
        if (p == requested) narrowEnough = true;
        if (narrowEnough && KernelPathSupported(p)) return p;
    }
    return TKernelPath::Generic;
}

void IterateBatch(const TOrbitBatch& b, TKernelPath path, TWorkerPool* pool, int threads) {
    if (b.n <= 0) return;
    path = ResolveKernelPath(path);
    // The lanes need at least one step per point and a bound that the idle
    // state z = 0 never reaches; anything else takes the plain loop.
    lanes::TLaneEngine engine = nullptr;
    if (path != TKernelPath::Scalar && b.iteration > 0 && b.bound > 0) engine = EngineOf(path);

    if (!pool) threads = 1;
    threads = std::clamp(threads, 1, pool ? pool->Threads() : 1);
    if (threads > 1) {
        const double perPoint = pool->workPerPoint >= 0 ? pool->workPerPoint : double(b.iteration);
        if (perPoint * b.n < kMinSplitWork || b.n < kMinSplitPoints) threads = 1;
    }

    lanes::TBatchCursor cursor(b.n, threads > 1 ? ChunkSize(b.n, threads) : b.n);
    std::atomic<std::uint64_t> work{0};
    auto part = [&](int) {
        const std::uint64_t w = engine ? engine(b, cursor) : RunPlain(b, cursor);
        work.fetch_add(w, std::memory_order_relaxed);
    };
    if (threads > 1)
        pool->Run(threads, part);
    else
        part(0);
    if (pool) pool->workPerPoint = double(work.load()) / b.n;
}

} // namespace vistal
