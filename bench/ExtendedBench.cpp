// SPDX-License-Identifier: GPL-3.0-or-later
// Extended drawing: a computing potential drawing, and re-colouring a
// 1024 × 768 picture at 4096 iterations from the result cache.
#include "engine/vistal_class.h"

#include <benchmark/benchmark.h>

using namespace vistal;

namespace {

void SetUpPotential(TVistal& v, int width, int height) {
    v.SetWidth(width);
    v.SetHeight(height);
    v.SetIteration(4096);
    v.SetEscape(1024);
    v.DrawMode = dmPotential1;
    v.DrawCompo = 1;
}

// One engine whose cache holds the 1024 × 768 view, computed once.
TVistal& CachedEngine() {
    static TVistal* engine = [] {
        auto* v = new TVistal;
        SetUpPotential(*v, 1024, 768);
        v->Draw();
        return v;
    }();
    return *engine;
}

void BM_PotentialCompute(benchmark::State& state) {
    TVistal v;
    SetUpPotential(v, static_cast<int>(state.range(0)), static_cast<int>(state.range(0)) * 3 / 4);
    for (auto _ : state) {
        v.ClearResultCache();
        v.Draw();
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(v.KernelCalls));
}
BENCHMARK(BM_PotentialCompute)->Arg(256)->Unit(benchmark::kMillisecond);

// Re-colouring: only the brightness function or the mixing changes between
// drawings, so every drawing is coloured from the cache; on one thread or on
// all cores (threads 0).
void BM_PotentialRecolour(benchmark::State& state) {
    TVistal& v = CachedEngine();
    v.DrawMode = static_cast<std::uint8_t>(state.range(0));
    v.DrawCompo = static_cast<std::uint8_t>(state.range(1));
    v.Threads = static_cast<int>(state.range(2));
    const std::uint64_t calls = v.KernelCalls;
    std::uint8_t bright = 0;
    for (auto _ : state) {
        v.PotentialBright = bright;
        bright = static_cast<std::uint8_t>((bright + 1) % 4);
        v.Draw();
    }
    if (v.KernelCalls != calls) state.SkipWithError("the re-colouring iterated");
    state.SetItemsProcessed(state.iterations() * 1024 * 768);
}
BENCHMARK(BM_PotentialRecolour)
    ->ArgNames({"mode", "compo", "threads"})
    ->ArgsProduct({{dmPotential1}, {1, 0}, {1, 0}})
    ->Args({dmPotential2, 1, 1})
    ->Args({dmPotential2, 1, 0})
    ->Args({dmPotential3, 0, 1})
    ->Args({dmPotential3, 0, 0})
    ->Args({dmExtNormal, 0, 1})
    ->Args({dmExtNormal, 0, 0})
    ->Unit(benchmark::kMillisecond);

} // namespace
