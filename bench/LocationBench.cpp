// SPDX-License-Identifier: GPL-3.0-or-later
// Loading a large recommendation list: 100 000 records with Japanese titles
// and memos, as Shift-JIS and as UTF-8, read from the temporary folder (the
// page cache, so this is the reader's own cost), and sorting it by title.
// Reading a scenic-spot file of 20 MiB through the INI reader: its time per
// byte and the heap it takes, as a multiple of the file's size.
#include "HeapPeak.h"
#include "base/TextEncoding.h"
#include "locations/UFss.h"
#include "locations/URecommendation.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace vistal::bench {

namespace {

constexpr int kRecords = 100000;

std::string ListText() {
    static const char* const kWords[] = {"渦巻き", "ﾀﾂﾉｵﾄｼｺﾞ", "Seahorse", "銀河",
                                         "稲妻",   "じゅりあ", "Spiral",   "雪の結晶"};
    std::string text = "; 100000 records\r\n";
    char buffer[400];
    for (int i = 0; i < kRecords; ++i) {
        const bool julia = i % 3 == 0;
        std::snprintf(
            buffer, sizeof buffer,
            "T=%s,Title=%s %d %s,%sCr=-0.7436438870%05d,Ci=0.131825904%06d,W=%de-9,I=%d,D=%d,Pow=%d,"
            "DM=%d,VCP=%s,Memo=%s の近く,CL0U=0,SO=0,BR=0\r\n",
            julia ? "Julia" : "Vistal", kWords[i % 8], i, kWords[(i / 8) % 8],
            julia ? "Jr=-0.8,Ji=0.156," : "", i, i, 1 + i % 97, 256 << (i % 5), 1 + i % 4, 2 + i % 3,
            i % 9 == 0 ? 6 : 0, i % 2 ? "Sunset" : "", kWords[(i / 3) % 8]);
        text += buffer;
    }
    return text;
}

// The list files, removed when the program ends.
struct TListFiles {
    std::string names[4];
    ~TListFiles() {
        for (const std::string& name : names)
            if (!name.empty()) std::remove(name.c_str());
    }
};

// The list file in the given encoding, written once per run.
const std::string& ListFile(bool shiftJis) {
    static TListFiles files;
    std::string& file = files.names[shiftJis ? 1 : 0];
    if (file.empty()) {
        file = (std::filesystem::temp_directory_path() /
                ("vistal-bench-" + std::to_string(::getpid()) + (shiftJis ? "-sjis.vrp" : "-utf8.vrp")))
                   .string();
        const std::string text = ListText();
        std::ofstream(file, std::ios::binary) << (shiftJis ? EncodeCp932(text) : text);
    }
    return file;
}

void LoadList(benchmark::State& state) {
    const std::string& file = ListFile(state.range(0) != 0);
    state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(file));
    for (auto _ : state) {
        TRecommendationList list;
        list.LoadFromFile(file);
        if (list.Count() != kRecords) state.SkipWithError("wrong record count");
        benchmark::DoNotOptimize(list.Items().data());
    }
}

void SortList(benchmark::State& state) {
    const std::string& file = ListFile(true);
    TRecommendationList list;
    for (auto _ : state) {
        state.PauseTiming();
        list.LoadFromFile(file);
        state.ResumeTiming();
        list.SortByTitle();
    }
}

// A scenic spot whose file is 20 MiB: a section of ten million lines without
// "=" after it (Arg 0), or ten million keys of no use in its [Data] section
// (Arg 1), which every look-up there passes.
const std::string& LargeFssFile(bool keys) {
    static TListFiles files;
    std::string& file = files.names[keys ? 3 : 2];
    if (file.empty()) {
        file = (std::filesystem::temp_directory_path() /
                ("vistal-bench-" + std::to_string(::getpid()) + (keys ? "-keys.fss" : "-lines.fss")))
                   .string();
        const std::string data = "[Data]\nCenterRe=-0.5\nCenterIm=0.25\nImSpan=1.5\nFormula=Mandelbrot\n"
                                 "Iteration=500\nEscape=2\n";
        std::string text = "[Info]\nFormat=1\nAppName=" + EncodeCp932("びすたる") +
                           "\nAppVersion=1.9.0\nAppSection=Vistal\n";
        constexpr std::size_t kFile = 20u << 20;
        if (keys) {
            text += "[Data]\n";
            text.reserve(kFile + 4096);
            while (text.size() < kFile - 4096)
                text += "a=\n";
            text += data.substr(7);
        } else {
            text += data;
            text += "[J]\n";
            text.reserve(kFile + 4096);
            while (text.size() < kFile)
                text += "k\n";
        }
        text += "[Vistal]\nDetail=4\nPow=3\nDrawMode=6\nCorrection=1.5\n";
        std::ofstream(file, std::ios::binary) << text;
    }
    return file;
}

void LoadLargeFss(benchmark::State& state) {
    const std::string& file = LargeFssFile(state.range(0) != 0);
    const auto bytes = static_cast<double>(std::filesystem::file_size(file));
    std::size_t heap = 0;
    for (auto _ : state) {
        ResetHeapPeak();
        const std::size_t before = HeapInUse();
        TFssVistal fss;
        fss.LoadFromFile(file);
        heap = std::max(heap, HeapPeak() - before);
        if (fss.Pow != 3) state.SkipWithError("the file did not read");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
    state.counters["MiB"] = bytes / (1 << 20);
    state.counters["heap/file"] = static_cast<double>(heap) / bytes;
}

} // namespace

BENCHMARK(LoadLargeFss)->Name("fss/load-20MiB/lines")->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(LoadLargeFss)->Name("fss/load-20MiB/keys")->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(LoadList)->Name("vrp/load-100000/utf8")->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(LoadList)->Name("vrp/load-100000/sjis")->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(SortList)->Name("vrp/sort-100000")->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace vistal::bench
