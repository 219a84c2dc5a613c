// The explorer's drawing loop against the core's drawing, in one run: the
// core with an empty event pump at every row (as the core's benchmarks
// measure it), the core with Qt's event processing as its pump, and the
// window's whole drawing command (busy state, history, status bar, the
// drawing with the window's pump and the default refresh rate, the final
// repaint). Then the time from a process start to the first complete picture.
//
//   vistal_ui_bench [Google Benchmark options]
//   vistal_ui_bench --startup-child   (used by the start-up benchmark)
#include "BenchViews.h"
#include "ui/MainForm.h"

#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace vistal::bench {

namespace {

double Now() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

[[gnu::noinline]] void Repaint() {
    QCoreApplication::processEvents();
}

double ThreadCpu() {
    timespec t;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec + t.tv_nsec * 1e-9;
}

const TView& View(const std::string& name) {
    for (const TView& view : Views())
        if (view.name == name) return view;
    std::abort();
}

void Finish(benchmark::State& state, const std::string& group, const std::string& way, double seconds,
            const TVistal& v) {
    const double n = double(state.iterations());
    Record(group, way, seconds / n, PlainIterations(View(group.substr(group.find('/') + 1))),
           double(v.Width()) * v.Height(), 1);
}

// The core alone, with an empty pump or with Qt's event processing.
void Core(benchmark::State& state, const std::string& name, bool processEvents) {
    TVistal v;
    View(name).setUp(v);
    if (processEvents)
        v.PumpHook = [] { QCoreApplication::processEvents(); };
    else
        v.PumpHook = [] {};
    v.Draw();
    double seconds = 0;
    for (auto _ : state) {
        const double t0 = Now();
        v.Draw();
        seconds += Now() - t0;
    }
    Finish(state, "window/" + name, processEvents ? "core-qt-pump" : "core-pumped", seconds, v);
}

// The window's drawing command, and the repaint that follows it.
void Window(benchmark::State& state, const std::string& name) {
    ui::TfrmMain window;
    window.show();
    window.Command([&] { window.FormActivate(); });
    TVistal probe;
    View(name).setUp(probe);
    window.Global().Half = probe.Half;
    window.Command([&] {
        window.SelectIteration(probe.Iteration());
        window.SetPictureSize(probe.Width(), probe.Height());
    });
    window.Vistal().SetCenter(probe.Center());
    window.Vistal().SetImSpan(probe.ImSpan());
    window.Command([&] { window.mnuFileDrawClick(); });
    QCoreApplication::processEvents();
    double seconds = 0, repaint = 0, repaintCpu = 0;
    for (auto _ : state) {
        const double t0 = Now();
        window.Command([&] { window.mnuFileDrawClick(); });
        const double t1 = Now(), c1 = ThreadCpu();
        Repaint(); // the final repaint
        seconds += Now() - t0;
        repaint += Now() - t1;
        repaintCpu += ThreadCpu() - c1;
    }
    state.counters["repaint (ms)"] = repaint / double(state.iterations()) * 1e3;
    state.counters["repaint cpu (ms)"] = repaintCpu / double(state.iterations()) * 1e3;
    Finish(state, "window/" + name, "window", seconds, window.Vistal());
}

// One round of Qt's event processing with the window shown and nothing to do:
// what every row of a drawing pays for the window's responsiveness.
void ProcessEvents(benchmark::State& state) {
    ui::TfrmMain window;
    window.show();
    window.Command([&] { window.FormActivate(); });
    QCoreApplication::processEvents();
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
    while (window.State().FirstActivation || window.Vistal().Drawing())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    QCoreApplication::processEvents(); // the repaint of the finished picture
    std::printf("%.9f\n", Now());
    std::fflush(stdout);
    _exit(0); // the settings are not the point here
}

const bool registered = [] {
    for (const char* name : {"V1", "startup"}) {
        const std::string view = name;
        benchmark::RegisterBenchmark(("window/" + view + "/core-pumped").c_str(), Core, view, false)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime()
            ->MinTime(1.0);
        benchmark::RegisterBenchmark(("window/" + view + "/core-qt-pump").c_str(), Core, view, true)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime()
            ->MinTime(1.0);
        benchmark::RegisterBenchmark(("window/" + view + "/window").c_str(), Window, view)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime()
            ->MinTime(1.0);
    }
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
