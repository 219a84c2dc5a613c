// The cost of smooth colouring: whole drawings (the normal method) of each
// view on the fast path, stepped and smooth, on one thread and on all cores.
// Smooth colouring keeps the final z of every orbit and colours each pixel by
// interpolation instead of from a table of the counts' colours.
#include "BenchViews.h"

#include "base/WorkerPool.h"

#include <benchmark/benchmark.h>

#include <chrono>

namespace vistal::bench {

namespace {

void DrawSmooth(benchmark::State& state, const TView& view, int threads, bool smooth) {
    TVistal v;
    view.setUp(v);
    v.KernelPath = TKernelPath::Auto;
    v.Threads = threads;
    v.Smooth = smooth;
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
    const std::string way = std::string(smooth ? "smooth" : "stepped") + (threads == 1 ? "-1thread" : "");
    Record("colouring/" + view.name, way, seconds / n, iterations, pixels,
           threads > 0 ? threads : TWorkerPool::HardwareThreads());
}

const bool registered = [] {
    for (const TView& view : Views())
        for (int threads : {1, 0})
            for (bool smooth : {false, true})
                benchmark::RegisterBenchmark(("colouring/" + view.name + (smooth ? "/smooth" : "/stepped") +
                                              (threads == 1 ? "-1thread" : ""))
                                                 .c_str(),
                                             DrawSmooth, view, threads, smooth)
                    ->Unit(benchmark::kMillisecond)
                    ->UseRealTime()
                    ->MinTime(0.5);
    return true;
}();

} // namespace

} // namespace vistal::bench
