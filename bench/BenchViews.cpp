// SPDX-License-Identifier: GPL-3.0-or-later
#include "BenchViews.h"

#include "base/WorkerPool.h"
#include "engine/kernels/KernelBatch.h"

#include <cstdio>
#include <map>

namespace vistal::bench {

namespace {

void Home1024(TVistal& v, int iterations) {
    v.SetWidth(1024);
    v.SetHeight(768);
    v.SetIteration(iterations);
    v.Half = false;
}

} // namespace

const std::vector<TView>& Views() {
    static const std::vector<TView> views = {
        {"V1", [](TVistal& v) { Home1024(v, 4096); }},
        {"deep",
         [](TVistal& v) {
             Home1024(v, 4096);
             v.SetCenter({-0.743643887037151, 0.131825904205330});
             v.SetImSpan(1e-9);
         }},
        {"inside",
         [](TVistal& v) {
             v.SetWidth(400);
             v.SetHeight(300);
             v.SetIteration(4096);
             v.Half = false;
             v.SetCenter({-0.1, 0.2});
             v.SetImSpan(0.1);
         }},
        {"startup", [](TVistal&) {}}, // 200 × 200, 256 iterations, symmetric
        {"pow3",
         [](TVistal& v) {
             v.SetPow(3);
             v.ResetView();
             Home1024(v, 1024);
         }},
        {"pow5",
         [](TVistal& v) {
             v.SetPow(5);
             v.ResetView();
             v.SetWidth(512);
             v.SetHeight(384);
             v.SetIteration(1024);
             v.Half = false;
         }},
        {"julia",
         [](TVistal& v) {
             v.SetFormula(fmJulia);
             v.SetJuliaSeed({-0.8, 0.156});
             Home1024(v, 4096);
         }},
    };
    return views;
}

const std::vector<TWay>& Ways() {
    static const std::vector<TWay> ways = {
        {"plain", TKernelPath::Scalar, 1},
        {"fast-1thread", TKernelPath::Auto, 1},
        {"fast", TKernelPath::Auto, 0},
        {"fast-pumped", TKernelPath::Auto, 0, true},
        {"smooth-1thread", TKernelPath::Auto, 1, false, true},
        {"smooth", TKernelPath::Auto, 0, false, true},
    };
    return ways;
}

double PlainIterations(const TView& view) {
    static std::map<std::string, double> known;
    auto it = known.find(view.name);
    if (it != known.end()) return it->second;
    // The counts of the computed rows, by the fast path (the counts are the
    // plain loop's, bit for bit).
    TVistal v;
    view.setUp(v);
    const TComplex P = v.GetPointP(), Q = v.GetPointQ();
    const double dx = (Q.Re - P.Re) / v.Width(), dy = (Q.Im - P.Im) / v.Height();
    const int maxY = v.Height() - 1;
    const int lastRow = v.CanUseHalf() ? maxY / 2 + (maxY % 2 != 0 ? 1 : 0) : maxY;
    const TKernel kernel = v.MakeKernel();
    std::vector<double> re(v.Width());
    for (int x = 0; x < v.Width(); ++x)
        re[x] = x * dx + P.Re;
    std::vector<std::int32_t> counts(v.Width());
    double total = 0;
    for (int y = 0; y <= lastRow; ++y) {
        kernel.CountRow(re.data(), y * dy + P.Im, v.Width(), counts.data());
        for (std::int32_t c : counts)
            total += c != 0 ? c : v.Iteration();
    }
    known[view.name] = total;
    return total;
}

namespace {

struct TResult {
    double seconds, iterations, pixels;
    int threads;
};
std::map<std::string, std::map<std::string, TResult>>& Results() {
    static std::map<std::string, std::map<std::string, TResult>> results;
    return results;
}
std::vector<std::string>& Groups() {
    static std::vector<std::string> groups;
    return groups;
}

} // namespace

void Record(const std::string& group, const std::string& way, double seconds, double iterations,
            double pixels, int threads) {
    if (!Results().count(group)) Groups().push_back(group);
    Results()[group][way] = {seconds, iterations, pixels, threads};
}

void PrintTable() {
    std::printf("\n%-26s %-13s %10s %9s %11s %12s %9s\n", "benchmark", "way", "ms", "G iter/s", "per thread",
                "Mpixels/s", "vs plain");
    for (const std::string& group : Groups()) {
        const auto& ways = Results()[group];
        const auto plain = ways.find("plain");
        for (const auto& [way, r] : ways) {
            const double gips = r.iterations / r.seconds / 1e9;
            std::printf("%-26s %-13s %10.2f %9.2f %11.2f %12.1f", group.c_str(), way.c_str(), r.seconds * 1e3,
                        gips, gips / r.threads, r.pixels / r.seconds / 1e6);
            if (plain != ways.end() && way != "plain")
                std::printf(" %8.1fx", plain->second.seconds / r.seconds);
            std::printf("\n");
        }
    }
    std::printf("\nprocessor: %s, %d threads\n", KernelPathName(ResolveKernelPath(TKernelPath::Auto)),
                TWorkerPool::HardwareThreads());
}

} // namespace vistal::bench
