#include "engine/kernels/Kernels.h"

#include "engine/kernels/DeepKernel.h"
#include "engine/kernels/PlainLoop.h"

namespace vistal {

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

void TKernel::CountRow(const double* re, double im, int n, std::int32_t* counts) const {
    if (n <= 0) return;
    if (calls_) *calls_ += static_cast<std::uint64_t>(n);
    if (path_ == TKernelPath::Scalar && threads_ <= 1 && !deep_) {
        for (int i = 0; i < n; ++i)
            counts[i] = CountOne(re[i], im);
        return;
    }
    TOrbitBatch b = Batch();
    b.SetRow(re, im, n);
    b.counts = counts;
    if (deep_)
        deep_->IterateBatch(b, pool_, threads_);
    else
        IterateBatch(b, path_, pool_, threads_);
}

void TKernel::CountPoints(const TComplex* points, int n, std::int32_t* counts) const {
    if (n <= 0) return;
    if (calls_) *calls_ += static_cast<std::uint64_t>(n);
    if (path_ == TKernelPath::Scalar && threads_ <= 1 && !deep_) {
        for (int i = 0; i < n; ++i)
            counts[i] = CountOne(points[i].Re, points[i].Im);
        return;
    }
    TOrbitBatch b = Batch();
    b.points = points;
    b.n = n;
    b.counts = counts;
    if (deep_)
        deep_->IterateBatch(b, pool_, threads_);
    else
        IterateBatch(b, path_, pool_, threads_);
}

} // namespace vistal
