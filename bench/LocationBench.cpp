// Loading a large recommendation list: 100 000 records with Japanese titles
// and memos, as Shift-JIS and as UTF-8, read from the temporary folder (the
// page cache, so this is the reader's own cost), and sorting it by title.
#include "base/TextEncoding.h"
#include "locations/URecommendation.h"

#include <benchmark/benchmark.h>

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
    std::string names[2];
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

} // namespace

BENCHMARK(LoadList)->Name("vrp/load-100000/utf8")->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(LoadList)->Name("vrp/load-100000/sjis")->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(SortList)->Name("vrp/sort-100000")->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace vistal::bench
