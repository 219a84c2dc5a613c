// SPDX-License-Identifier: GPL-3.0-or-later
// The benchmark program: Google Benchmark's own output, then one table of
// all results with the plain loop beside the fast paths.
#include "BenchViews.h"

#include <benchmark/benchmark.h>

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    vistal::bench::PrintTable();
    return 0;
}
