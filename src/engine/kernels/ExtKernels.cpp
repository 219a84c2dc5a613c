// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/kernels/ExtKernels.h"

#include "engine/kernels/DeepKernel.h"
#include "engine/kernels/PlainLoop.h"

namespace vistal {

std::int32_t IterateMandelbrotExt(double cRe, double cIm, std::int32_t iteration, int pow,
                                  double escapeSquared, TComplex& finalZ) {
    return IterateOrbitPlain(0.0, 0.0, cRe, cIm, iteration, pow, escapeSquared, &finalZ);
}

std::int32_t IterateJuliaExt(double zRe, double zIm, const TComplex& seed, std::int32_t iteration, int pow,
                             double escapeSquared, TComplex& finalZ) {
    return IterateOrbitPlain(zRe, zIm, seed.Re, seed.Im, iteration, pow, escapeSquared, &finalZ);
}

std::int32_t TExtKernel::IterateOne(double re, double im, TComplex& finalZ) const {
    if (deep_) return deep_->Iterate(re, im, &finalZ);
    if (kind_ == TExtKernelKind::Mandelbrot)
        return IterateMandelbrotExt(re, im, iteration_, pow_, escapeSquared_, finalZ);
    return IterateJuliaExt(re, im, seed_, iteration_, pow_, escapeSquared_, finalZ);
}

void TExtKernel::IterateRow(const double* re, double im, int n, std::int32_t* counts,
                            TComplex* finalZ) const {
    if (n <= 0) return;
    if (calls_) *calls_ += static_cast<std::uint64_t>(n);
    if (path_ == TKernelPath::Scalar && threads_ <= 1 && !deep_) {
        for (int i = 0; i < n; ++i)
            counts[i] = IterateOne(re[i], im, finalZ[i]);
        return;
    }
    TOrbitBatch b = Batch();
    b.SetRow(re, im, n);
    b.counts = counts;
    b.finalZ = finalZ;
    if (deep_)
        deep_->IterateBatch(b, pool_, threads_);
    else
        IterateBatch(b, path_, pool_, threads_);
}

void TExtKernel::IteratePoints(const TComplex* points, int n, std::int32_t* counts, TComplex* finalZ) const {
    if (n <= 0) return;
    if (calls_) *calls_ += static_cast<std::uint64_t>(n);
    if (path_ == TKernelPath::Scalar && threads_ <= 1 && !deep_) {
        for (int i = 0; i < n; ++i)
            counts[i] = IterateOne(points[i].Re, points[i].Im, finalZ[i]);
        return;
    }
    TOrbitBatch b = Batch();
    b.points = points;
    b.n = n;
    b.counts = counts;
    b.finalZ = finalZ;
    if (deep_)
        deep_->IterateBatch(b, pool_, threads_);
    else
        IterateBatch(b, path_, pool_, threads_);
}

TOrbitBatch TExtKernel::Batch() const {
    TOrbitBatch b;
    b.julia = kind_ == TExtKernelKind::Julia;
    b.pow = pow_;
    b.iteration = iteration_;
    b.seed = seed_;
    b.bound = escapeSquared_;
    return b;
}

} // namespace vistal
