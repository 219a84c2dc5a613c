// SPDX-License-Identifier: GPL-3.0-or-later
// The batch kernels alone, without drawing: every instruction set this
// processor has, cycle detection on and off, and the extended kernel (count
// and final z up to the escape radius 1024) that the potential drawings use.
#include "BenchViews.h"

#include "base/WorkerPool.h"
#include "engine/kernels/KernelBatch.h"

#include <benchmark/benchmark.h>

#include <chrono>

namespace vistal::bench {

namespace {

struct TRows {
    TOrbitBatch batch;
    std::vector<double> re;
    std::vector<double> im;
    double iterations = 0;
};

// The rows of a view as batches, and the plain loop's iterations for them.
TRows RowsOf(const TView& view, double bound) {
    TVistal v;
    view.setUp(v);
    TRows r;
    const TComplex P = v.GetPointP(), Q = v.GetPointQ();
    const double dx = (Q.Re - P.Re) / v.Width(), dy = (Q.Im - P.Im) / v.Height();
    for (int x = 0; x < v.Width(); ++x)
        r.re.push_back(x * dx + P.Re);
    for (int y = 0; y < v.Height(); ++y)
        r.im.push_back(y * dy + P.Im);
    r.batch = v.MakeKernel().Batch();
    r.batch.bound = bound;
    r.batch.re = r.re.data();
    r.batch.n = v.Width();
    return r;
}

void RunRows(TRows& r, TKernelPath path, TWorkerPool* pool, int threads, bool withZ, bool cycles,
             std::vector<std::int32_t>& counts, std::vector<TComplex>& z) {
    const int w = r.batch.n;
    for (std::size_t y = 0; y < r.im.size(); ++y) {
        TOrbitBatch b = r.batch;
        b.im = &r.im[y];
        b.imStride = 0;
        b.counts = counts.data() + y * w;
        b.finalZ = withZ ? z.data() + y * w : nullptr;
        b.detectCycles = cycles;
        IterateBatch(b, path, pool, threads);
    }
}

void KernelRows(benchmark::State& state, const TView& view, TKernelPath path, int threads, bool withZ,
                bool cycles, const std::string& group, const std::string& way) {
    const double bound = withZ ? 1024.0 * 1024.0 : 4;
    TRows r = RowsOf(view, bound);
    std::vector<std::int32_t> counts(r.re.size() * r.im.size());
    std::vector<TComplex> z(withZ ? counts.size() : 0);
    TWorkerPool pool;
    const int all = threads > 0 ? threads : TWorkerPool::HardwareThreads();
    pool.Reserve(all);
    // The plain loop's iterations, from the counts (the same on every path).
    RunRows(r, TKernelPath::Auto, &pool, all, withZ, true, counts, z);
    double iterations = 0;
    for (std::int32_t c : counts)
        iterations += c != 0 ? c : r.batch.iteration;
    double seconds = 0;
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        RunRows(r, path, &pool, all, withZ, cycles, counts, z);
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    }
    const double n = double(state.iterations());
    state.counters["Giter"] = benchmark::Counter(iterations * n / 1e9, benchmark::Counter::kIsRate);
    state.counters["pixels"] = benchmark::Counter(double(counts.size()) * n, benchmark::Counter::kIsRate);
    Record(group, way, seconds / n, iterations, double(counts.size()), all);
}

const TView& ViewNamed(const std::string& name) {
    for (const TView& v : Views())
        if (v.name == name) return v;
    return Views().front();
}

void Register(const std::string& group, const std::string& way, const TView& view, TKernelPath path,
              int threads, bool withZ, bool cycles) {
    benchmark::RegisterBenchmark((group + "/" + way).c_str(), KernelRows, view, path, threads, withZ, cycles,
                                 group, way)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime()
        ->MinTime(0.5);
}

const bool registered = [] {
    // Each instruction set on one thread, with and without cycle detection.
    for (const char* name : {"V1", "deep"}) {
        const TView& view = ViewNamed(name);
        const std::string group = std::string("kernel/") + name;
        Register(group, "plain", view, TKernelPath::Scalar, 1, false, true);
        for (TKernelPath path :
             {TKernelPath::Generic, TKernelPath::Sse2, TKernelPath::Avx2, TKernelPath::Avx512}) {
            if (!KernelPathSupported(path)) continue;
            Register(group, KernelPathName(path), view, path, 1, false, true);
            Register(group, std::string(KernelPathName(path)) + "-nocycle", view, path, 1, false, false);
        }
    }
    // The extended kernel (count and final z, escape radius 1024) on V1.
    const TView& v1 = ViewNamed("V1");
    Register("extended/V1", "plain", v1, TKernelPath::Scalar, 1, true, true);
    Register("extended/V1", "fast-1thread", v1, TKernelPath::Auto, 1, true, true);
    Register("extended/V1", "fast", v1, TKernelPath::Auto, 0, true, true);
    return true;
}();

} // namespace

} // namespace vistal::bench
