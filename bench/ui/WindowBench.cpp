// SPDX-License-Identifier: GPL-3.0-or-later
// The explorer's drawing loop against the core's drawing, in one run: the
// core with an empty event pump at every row (as the core's benchmarks
// measure it), the core with Qt's event processing as its pump, and the
// window's whole drawing command (busy state, history, status bar, the
// drawing with the window's pump and the default refresh rate, the final
// repaint). The same for a deep view, where every drawing is of a new view
// (the reference orbit and its tables made again) and the window also moves
// the old picture and places the centre as a file keeps it. Then one round of
// event processing, and the time from a process start to the first complete
// picture.
//
//   vistal_ui_bench [Google Benchmark options]
//   vistal_ui_bench --startup-child   (used by the start-up benchmark)
#include "BenchViews.h"
#include "ui/MainForm.h"

#include <QApplication>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace vistal::bench {

namespace {

double Now() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

[[gnu::noinline]] void Repaint() {
    QCoreApplication::processEvents();
}

const TView& View(const std::string& name) {
    for (const TView& view : Views())
        if (view.name == name) return view;
    std::abort();
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// The window, set up to draw a view of the benchmarks.
struct TWindowOn {
    ui::TfrmMain window;
    explicit TWindowOn(const TView& view) {
        window.show();
        window.Command([&] { window.FormActivate(); });
        TVistal probe;
        view.setUp(probe);
        window.Global().Half = probe.Half;
        window.Command([&] {
            window.Explorer().SelectIteration(probe.Iteration());
            window.Explorer().SetPictureSize(probe.Width(), probe.Height());
        });
        window.Vistal().SetCenter(probe.Center());
        window.Vistal().SetImSpan(probe.ImSpan());
        window.Command([&] { window.Explorer().Draw(ui::TDrawSource::Menu); });
        QCoreApplication::processEvents();
    }
};

// The three ways to draw a view, in turn within every iteration, so that a
// change of the machine's load falls on all three alike: the core with an
// empty pump, the core with Qt's event processing at every row, and the
// window's drawing command with the repaint that follows it. The counters are
// the medians of the iterations.
void Compare(benchmark::State& state, const std::string& name) {
    const TView& view = View(name);
    TVistal pumped, qt;
    view.setUp(pumped);
    view.setUp(qt);
    pumped.PumpHook = [] {};
    qt.PumpHook = [] { QCoreApplication::processEvents(); };
    pumped.Draw();
    qt.Draw();
    TWindowOn on(view);
    ui::TfrmMain& window = on.window;
    std::vector<double> core, coreQt, whole, repaint;
    for (auto _ : state) {
        double t0 = Now();
        pumped.Draw();
        core.push_back(Now() - t0);
        t0 = Now();
        qt.Draw();
        coreQt.push_back(Now() - t0);
        t0 = Now();
        window.Command([&] { window.Explorer().Draw(ui::TDrawSource::Menu); });
        const double t1 = Now();
        Repaint();
        whole.push_back(Now() - t0);
        repaint.push_back(Now() - t1);
    }
    const double iterations = PlainIterations(view), pixels = double(pumped.Width()) * pumped.Height();
    const std::string group = "window/" + name;
    Record(group, "core-pumped", Median(core), iterations, pixels, 1);
    Record(group, "core-qt-pump", Median(coreQt), iterations, pixels, 1);
    Record(group, "window", Median(whole), iterations, pixels, 1);
    state.counters["core-pumped ms"] = Median(core) * 1e3;
    state.counters["core-qt-pump ms"] = Median(coreQt) * 1e3;
    state.counters["window ms"] = Median(whole) * 1e3;
    state.counters["of it repaint ms"] = Median(repaint) * 1e3;
    state.counters["window/core"] = Median(whole) / Median(core);
}

// A deep view at 640 × 480, limit 65,536: deep320.txt's centre at spans of
// 1e-100 and 2e-100 in turn, so that every drawing makes a new plan, as a
// click does. The core draws with an empty pump; the window takes the view
// as a typed one and draws it with its drawing command.
void CompareDeep(benchmark::State& state) {
    std::ifstream in(std::string(VISTAL_SOURCE_DIR) + "/tests/data/deep/deep320.txt");
    std::string centre;
    std::getline(in, centre);
    const std::size_t comma = centre.find(',');
    std::vector<TDeepPosition> places;
    for (const char* span : {"1e-100", "2e-100"}) {
        TDeepPosition p;
        p.Re = *TDeepPosition::ParseCoordinate(centre.substr(0, comma));
        p.Im = *TDeepPosition::ParseCoordinate(centre.substr(comma + 1));
        p.Span = *TDeepPosition::ParseSpan(span);
        places.push_back(std::move(p));
    }
    TVistal core;
    core.SetWidth(640);
    core.SetHeight(480);
    core.SetIteration(65536);
    core.PumpHook = [] {};
    ui::TfrmMain window;
    window.show();
    window.Command([&] { window.FormActivate(); });
    window.Command([&] {
        window.Explorer().SelectIteration(65536);
        window.Explorer().SetPictureSize(640, 480);
    });
    std::vector<double> coreTimes, windowTimes;
    std::size_t turn = 0;
    for (auto _ : state) {
        const TDeepPosition& place = places[turn++ % places.size()];
        core.SetPosition(place);
        double t0 = Now();
        core.Draw();
        coreTimes.push_back(Now() - t0);
        window.Vistal().SetPosition(place);
        t0 = Now();
        window.Command([&] { window.Explorer().Draw(ui::TDrawSource::Menu); });
        Repaint();
        windowTimes.push_back(Now() - t0);
    }
    state.counters["core-pumped ms"] = Median(coreTimes) * 1e3;
    state.counters["window ms"] = Median(windowTimes) * 1e3;
    state.counters["window/core"] = Median(windowTimes) / Median(coreTimes);
}

// One round of Qt's event processing with the window shown and nothing to do:
// what every row of a drawing pays for the window's responsiveness.
void ProcessEvents(benchmark::State& state) {
    TWindowOn on(View("startup"));
    for (auto _ : state)
        QCoreApplication::processEvents();
}

// From fork to the first complete picture of a new explorer process.
std::string self;
void StartUp(benchmark::State& state) {
    double seconds = 0;
    for (auto _ : state) {
        int pipeEnds[2];
        if (pipe(pipeEnds) != 0) std::abort();
        const double t0 = Now();
        const pid_t child = fork();
        if (child == 0) {
            dup2(pipeEnds[1], STDOUT_FILENO);
            execl(self.c_str(), self.c_str(), "--startup-child", static_cast<char*>(nullptr));
            _exit(127);
        }
        close(pipeEnds[1]);
        char text[64] = {};
        const ssize_t got = read(pipeEnds[0], text, sizeof text - 1);
        close(pipeEnds[0]);
        int status = 0;
        waitpid(child, &status, 0);
        if (got <= 0) {
            state.SkipWithError("the child drew no picture");
            return;
        }
        seconds += std::strtod(text, nullptr) - t0;
    }
    state.counters["to first picture (ms)"] = seconds / double(state.iterations()) * 1e3;
}

// The child: what the program does, until its first complete picture is on
// screen; then the time (steady clock, seconds) on stdout.
int StartUpChild(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("びすたる"));
    ui::TfrmMain window;
    window.show();
    while (!window.Explorer().Started() || window.Vistal().Drawing())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    QCoreApplication::processEvents(); // the repaint of the finished picture
    std::printf("%.9f\n", Now());
    std::fflush(stdout);
    _exit(0); // the settings are not the point here
}

const bool registered = [] {
    for (const char* name : {"V1", "startup"})
        benchmark::RegisterBenchmark((std::string("window/") + name).c_str(), Compare, std::string(name))
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime()
            ->MinTime(3.0);
    benchmark::RegisterBenchmark("window/deep320-1e-100", CompareDeep)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime()
        ->Iterations(4);
    benchmark::RegisterBenchmark("window/processEvents", ProcessEvents)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("window/start-to-first-picture", StartUp)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime()
        ->Iterations(20);
    return true;
}();

} // namespace

} // namespace vistal::bench

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc > 1 && std::strcmp(argv[1], "--startup-child") == 0)
        return vistal::bench::StartUpChild(argc, argv);
    // The windows read and write their settings in a folder of their own
    // (the children started by the start-up benchmark inherit it).
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    vistal::bench::self = "/proc/self/exe";
    char path[4096] = {};
    if (readlink("/proc/self/exe", path, sizeof path - 1) > 0) vistal::bench::self = path;
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    vistal::bench::PrintTable();
    return 0;
}
