// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/kernels/Kernels.h"

#include "base/WorkerPool.h"
#include "engine/kernels/DeepKernel.h"
#include "engine/kernels/PlainLoop.h"
#include "engine/kernels/SmoothCount.h"

#include <algorithm>
#include <atomic>
#include <vector>

namespace vistal {

namespace {

// Batches of fewer points compute their continuous counts on the calling
// thread; a longer one is shared in chunks, taken as threads come free.
constexpr int kMinSharedSmoothPoints = 4096;
constexpr int kSmoothChunk = 1024;

} // namespace

std::int32_t TKernel::CountOne(double re, double im) const {
    if (deep_) return deep_->Iterate(re, im, nullptr);
    switch (kind_) {
    case TKernelKind::Mandelbrot2:
        return CountMandelbrot2(re, im, iteration_);
    case TKernelKind::MandelbrotN:
        return CountMandelbrotN(re, im, iteration_, pow_);
    case TKernelKind::Julia2:
        return CountJulia2(re, im, seed_, iteration_);
    case TKernelKind::JuliaN:
        return CountJuliaN(re, im, seed_, iteration_, pow_);
    }
    return 0;
}

TOrbitBatch TKernel::Batch() const {
    TOrbitBatch b;
    b.julia = kind_ == TKernelKind::Julia2 || kind_ == TKernelKind::JuliaN;
    b.pow = kind_ == TKernelKind::Mandelbrot2 || kind_ == TKernelKind::Julia2 ? 2 : pow_;
    b.iteration = iteration_;
    b.seed = seed_;
    b.bound = 4;
    return b;
}

void TKernel::Count(TOrbitBatch& b, std::int32_t* counts, double* nu) const {
    if (calls_) *calls_ += static_cast<std::uint64_t>(b.n);
    b.counts = counts;
    std::vector<TComplex> finalZ;
    if (nu) {
        finalZ.resize(static_cast<std::size_t>(b.n));
        b.finalZ = finalZ.data();
    }
    if (deep_) {
        deep_->IterateBatch(b, pool_, threads_);
    } else if (path_ == TKernelPath::Scalar && threads_ <= 1) {
        for (int i = 0; i < b.n; ++i) {
            const TComplex point = BatchPoint(b, i);
            counts[i] = nu ? IterateOrbit(b, point.Re, point.Im, &finalZ[i]) : CountOne(point.Re, point.Im);
        }
    } else {
        IterateBatch(b, path_, pool_, threads_);
    }
    if (!nu) return;
    // Two logarithms a point: a long batch shares them among the threads.
    const TSmoothScale scale(2, b.pow);
    const int parts = b.n >= kMinSharedSmoothPoints && pool_ ? std::min(threads_, pool_->Threads()) : 1;
    std::atomic<int> next{0};
    auto part = [&](int) {
        for (int first = next.fetch_add(kSmoothChunk); first < b.n; first = next.fetch_add(kSmoothChunk)) {
            const int end = std::min(b.n, first + kSmoothChunk);
            for (int i = first; i < end; ++i)
                nu[i] = SmoothCount(counts[i], finalZ[i], scale);
        }
    };
    if (parts > 1)
        pool_->Run(parts, part);
    else
        part(0);
}

void TKernel::CountRow(const double* re, double im, int n, std::int32_t* counts, double* nu) const {
    if (n <= 0) return;
    TOrbitBatch b = Batch();
    b.SetRow(re, im, n);
    Count(b, counts, nu);
}

void TKernel::CountPoints(const TComplex* points, int n, std::int32_t* counts, double* nu) const {
    if (n <= 0) return;
    TOrbitBatch b = Batch();
    b.points = points;
    b.n = n;
    Count(b, counts, nu);
}

} // namespace vistal
