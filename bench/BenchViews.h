// SPDX-License-Identifier: GPL-3.0-or-later
// The views the benchmarks draw, the ways to draw them, and the table of
// results printed after the run (the plain loop beside the fast paths).
#pragma once

#include "engine/vistal_class.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace vistal::bench {

struct TView {
    std::string name;
    std::function<void(TVistal&)> setUp;
};

// How a benchmark computes: a kernel path and a thread count (0 = all cores);
// pumped drawings call an (empty) event pump at every progress point, as the
// explorer does, so the normal method counts row by row; smooth ones colour by
// the continuous counts.
struct TWay {
    std::string name;
    TKernelPath path;
    int threads;
    bool pumped = false;
    bool smooth = false;
};

const std::vector<TView>& Views();
const std::vector<TWay>& Ways();

// The iterations the plain loop performs for a view (count, or the limit for
// a point that never escapes, summed over the computed pixels).
double PlainIterations(const TView& view);

// Results, for the table printed after the run.
void Record(const std::string& group, const std::string& way, double seconds, double iterations,
            double pixels, int threads);
void PrintTable();

} // namespace vistal::bench
