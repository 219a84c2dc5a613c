#include "engine/ExtKernels.h"

#include "engine/Kernels.h"

namespace vistal {

namespace {

// The loop shared by both formulas. Every new value and every square is a
// double; the squares of the escape test are carried into the next step.
std::int32_t IterateExt(double re, double im, double cRe, double cIm, std::int32_t iteration, int pow,
                        double bound, TComplex& finalZ) {
    double re2 = re * re, im2 = im * im;
    std::int32_t count = 0;
    if (pow == 2) {
        for (std::int32_t k = 1; k <= iteration; ++k) {
            double nIm = 2 * re * im + cIm;
            re = (re2 - im2) + cRe;
            im = nIm;
            re2 = re * re;
            im2 = im * im;
            if (re2 + im2 >= bound) {
                count = k;
                break;
            }
        }
    } else if (pow == 3) {
        for (std::int32_t k = 1; k <= iteration; ++k) {
            double nRe = cRe + re * (re2 - 3 * im2);
            double nIm = cIm + im * (3 * re2 - im2);
            re = nRe;
            im = nIm;
            re2 = re * re;
            im2 = im * im;
            if (re2 + im2 >= bound) {
                count = k;
                break;
            }
        }
    } else {
        for (std::int32_t k = 1; k <= iteration; ++k) {
            TComplex p = ComplexPow(TComplex{re, im}, pow);
            re = p.Re + cRe;
            im = p.Im + cIm;
            re2 = re * re;
            im2 = im * im;
            if (re2 + im2 >= bound) {
                count = k;
                break;
            }
        }
    }
    finalZ = {re, im};
    return count;
}

} // namespace

std::int32_t IterateMandelbrotExt(double cRe, double cIm, std::int32_t iteration, int pow,
                                  double escapeSquared, TComplex& finalZ) {
    return IterateExt(0.0, 0.0, cRe, cIm, iteration, pow, escapeSquared, finalZ);
}

std::int32_t IterateJuliaExt(double zRe, double zIm, const TComplex& seed, std::int32_t iteration, int pow,
                             double escapeSquared, TComplex& finalZ) {
    return IterateExt(zRe, zIm, seed.Re, seed.Im, iteration, pow, escapeSquared, finalZ);
}

std::int32_t TExtKernel::IterateOne(double re, double im, TComplex& finalZ) const {
    if (kind_ == TExtKernelKind::Mandelbrot)
        return IterateMandelbrotExt(re, im, iteration_, pow_, escapeSquared_, finalZ);
    return IterateJuliaExt(re, im, seed_, iteration_, pow_, escapeSquared_, finalZ);
}

void TExtKernel::IterateRow(const double* re, double im, int n, std::int32_t* counts,
                            TComplex* finalZ) const {
    if (n <= 0) return;
    if (calls_) *calls_ += static_cast<std::uint64_t>(n);
    for (int i = 0; i < n; ++i)
        counts[i] = IterateOne(re[i], im, finalZ[i]);
}

} // namespace vistal
