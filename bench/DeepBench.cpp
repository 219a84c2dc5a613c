// SPDX-License-Identifier: GPL-3.0-or-later
// Deep views, 1024 × 768 on all cores, each drawing whole (the reference
// orbit and the tables included): the centre of deep320.txt (a nucleus of
// period 92,509) at spans 1e-100 and 1e-300, and c = i at 1e-1000. Per-pixel
// MPFR (--exact) is measured on a small picture of the 1e-100 view in the
// same run, beside perturbation on the same small picture, for the speed-up;
// smooth colouring on the 1e-100 and 1e-1000 views, beside their stepped
// drawings, for its cost.
#include "BenchViews.h"

#include "base/WorkerPool.h"
#include "engine/kernels/DeepKernel.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <fstream>
#include <sstream>

namespace vistal::bench {

namespace {

std::string Deep320() {
    std::ifstream in(std::string(VISTAL_SOURCE_DIR) + "/tests/data/deep/deep320.txt");
    std::string centre;
    std::getline(in, centre);
    return centre;
}

struct TDeepView {
    std::string name, centre, span;
    int width, height, iterations;
    bool exact = false;
    bool smooth = false;
};

std::string Way(const TDeepView& view) {
    return view.exact ? "mpfr" : view.smooth ? "smooth" : "perturbation";
}

void SetView(TVistal& v, const TDeepView& view) {
    v.SetWidth(view.width);
    v.SetHeight(view.height);
    v.SetIteration(view.iterations);
    v.Exact = view.exact;
    v.Smooth = view.smooth;
    const std::size_t comma = view.centre.find(',');
    TDeepPosition p;
    p.Re = *TDeepPosition::ParseCoordinate(view.centre.substr(0, comma));
    p.Im = *TDeepPosition::ParseCoordinate(view.centre.substr(comma + 1));
    p.Span = *TDeepPosition::ParseSpan(view.span);
    v.SetPosition(p);
}

void DrawDeep(benchmark::State& state, const TDeepView& view) {
    double seconds = 0, planSeconds = 0;
    TDeepPlan::TStatistics stats;
    for (auto _ : state) {
        TVistal v; // a new engine: the plan is made again
        SetView(v, view);
        double planDone = 0;
        const auto t0 = std::chrono::steady_clock::now();
        v.PumpHook = [&] {
            if (planDone == 0 && v.Progress() >= 0.1 && *v.ProgressPhase() == 0)
                planDone = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        };
        v.Draw();
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        planSeconds += planDone;
        stats = v.DeepPlan()->Statistics();
    }
    const double n = double(state.iterations()), pixels = double(view.width) * view.height;
    state.counters["plan_s"] = planSeconds / n;
    state.counters["us_pixel"] = seconds / n / pixels * 1e6;
    if (!view.exact) {
        state.counters["ref_length"] = double(stats.ReferenceLength);
        state.counters["steps_share"] =
            double(stats.Steps) / double(std::max<std::uint64_t>(stats.Iterations, 1));
        state.counters["iter_pixel"] = double(stats.Iterations) / pixels;
    }
    // Per-pixel MPFR is the plain loop of deep views: the table shows the
    // speed-up against it.
    Record("deep/" + view.name, view.exact ? "plain" : Way(view), seconds / n, double(stats.Iterations),
           pixels, TWorkerPool::HardwareThreads());
}

const bool registered = [] {
    static const std::string deep320 = Deep320();
    static const std::vector<TDeepView> views = {
        {"1e-100", deep320, "1e-100", 1024, 768, 100000},
        {"1e-300", deep320, "1e-300", 1024, 768, 1000000},
        {"i-1e-1000", "0,1", "1e-1000", 1024, 768, 100000},
        {"1e-100-small", deep320, "1e-100", 32, 24, 100000},
        {"1e-100-small", deep320, "1e-100", 32, 24, 100000, true},
        {"1e-100", deep320, "1e-100", 1024, 768, 100000, false, true},
        {"i-1e-1000", "0,1", "1e-1000", 1024, 768, 100000, false, true},
    };
    for (const TDeepView& view : views)
        benchmark::RegisterBenchmark(("deep/" + view.name + "/" + Way(view)).c_str(), DrawDeep, view)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime()
            ->Iterations(view.width < 100 && !view.exact ? 20 : 1);
    return true;
}();

} // namespace

} // namespace vistal::bench
