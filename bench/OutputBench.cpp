// SPDX-License-Identifier: GPL-3.0-or-later
// The fixed cost of one picture beside its drawing: a fresh 1024 × 768
// bitmap, its rows as 24-bit pixels, and the whole BMP file written safely
// (temporary file, flush to the disk, rename) into the temporary folder.
#include "base/Bitmap.h"
#include "colour/ImageFile.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <unistd.h>
#include <vector>

namespace vistal::bench {

namespace {

constexpr int kWidth = 1024, kHeight = 768;

TBitmap Picture() {
    TBitmap b(kWidth, kHeight);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            b.Row(y)[x] = static_cast<TColor>((x * 2654435761u + y * 40503u) & 0xFFFFFF);
    return b;
}

void FreshBitmap(benchmark::State& state) {
    for (auto _ : state) {
        TBitmap b(kWidth, kHeight);
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x)
                b.Row(y)[x] = static_cast<TColor>(x ^ y);
        benchmark::DoNotOptimize(b.Data());
    }
}

void RowsToBgr24(benchmark::State& state) {
    const TBitmap b = Picture();
    std::vector<std::uint8_t> row(3 * kWidth);
    for (auto _ : state) {
        for (int y = 0; y < kHeight; ++y)
            b.RowToBgr24(y, row.data());
        benchmark::DoNotOptimize(row.data());
    }
    state.SetBytesProcessed(state.iterations() * kWidth * kHeight * 3);
}

void WriteBmp(benchmark::State& state) {
    const TBitmap b = Picture();
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() / ("vistal-bench-" + std::to_string(::getpid()) + ".bmp");
    for (auto _ : state)
        WriteBmpFile(b, file.string());
    std::filesystem::remove(file);
}

BENCHMARK(FreshBitmap)->Name("output/fresh-bitmap")->Unit(benchmark::kMillisecond);
BENCHMARK(RowsToBgr24)->Name("output/rows-bgr24")->Unit(benchmark::kMillisecond);
BENCHMARK(WriteBmp)->Name("output/write-bmp")->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

} // namespace vistal::bench
