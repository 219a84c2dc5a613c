// SPDX-License-Identifier: GPL-3.0-or-later
// Whole drawings (the normal method) of each view, by the plain loop on one
// thread and by the fast path on one thread and on all cores, without and
// with an event pump, and with smooth colouring (beside fast-1thread and fast).
#include "BenchViews.h"

#include "base/WorkerPool.h"

#include <benchmark/benchmark.h>

#include <chrono>

namespace vistal::bench {

namespace {

void DrawView(benchmark::State& state, const TView& view, const TWay& way) {
    TVistal v;
    view.setUp(v);
    v.KernelPath = way.path;
    v.Threads = way.threads;
    if (way.pumped) v.PumpHook = [] {};
    v.Smooth = way.smooth;
    const double iterations = PlainIterations(view);
    const double pixels = double(v.Width()) * v.Height();
    v.Draw(); // creates the worker pool outside the measurement
    double seconds = 0;
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        v.Draw();
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    }
    const double n = double(state.iterations());
    state.counters["Giter"] = benchmark::Counter(iterations * n / 1e9, benchmark::Counter::kIsRate);
    state.counters["pixels"] = benchmark::Counter(pixels * n, benchmark::Counter::kIsRate);
    const int threads = way.threads > 0 ? way.threads : TWorkerPool::HardwareThreads();
    Record("normal/" + view.name, way.name, seconds / n, iterations, pixels, threads);
}

const bool registered = [] {
    for (const TView& view : Views())
        for (const TWay& way : Ways())
            benchmark::RegisterBenchmark(("normal/" + view.name + "/" + way.name).c_str(), DrawView, view,
                                         way)
                ->Unit(benchmark::kMillisecond)
                ->UseRealTime()
                ->MinTime(0.5);
    return true;
}();

} // namespace

} // namespace vistal::bench
