#include "engine/kernels/Kernels.h"

namespace vistal {

TComplex ComplexPow(const TComplex& z, int n) {
    if (n <= 1) return z;
    TComplex w{z.Re * z.Re - z.Im * z.Im, 2 * z.Re * z.Im};
    TComplex r = ComplexPow(w, n / 2);
    if (n % 2 == 0) return r;
    return TComplex{r.Re * z.Re - r.Im * z.Im, r.Re * z.Im + r.Im * z.Re};
}

// Every new value and every square is a double; the squares of the escape test
// are carried into the next step.
std::int32_t IterateOrbitPlain(double re, double im, double cRe, double cIm, std::int32_t iteration, int pow,
                               double bound, TComplex* finalZ) {
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
    if (finalZ) *finalZ = TComplex{re, im};
    return count;
}

std::int32_t CountMandelbrot2(double cRe, double cIm, std::int32_t iteration) {
    return IterateOrbitPlain(0.0, 0.0, cRe, cIm, iteration, 2, 4, nullptr);
}

static inline std::int32_t CountGeneral(double re, double im, double cRe, double cIm, std::int32_t iteration,
                                        int pow) {
    return IterateOrbitPlain(re, im, cRe, cIm, iteration, pow, 4, nullptr);
}

std::int32_t CountMandelbrotN(double cRe, double cIm, std::int32_t iteration, int pow) {
    return CountGeneral(0.0, 0.0, cRe, cIm, iteration, pow);
}

std::int32_t CountJulia2(double zRe, double zIm, const TComplex& seed, std::int32_t iteration) {
    return CountGeneral(zRe, zIm, seed.Re, seed.Im, iteration, 2);
}

std::int32_t CountJuliaN(double zRe, double zIm, const TComplex& seed, std::int32_t iteration, int pow) {
    return CountGeneral(zRe, zIm, seed.Re, seed.Im, iteration, pow);
}

std::int32_t TKernel::CountOne(double re, double im) const {
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
    if (path_ == TKernelPath::Scalar && threads_ <= 1) {
        for (int i = 0; i < n; ++i)
            counts[i] = CountOne(re[i], im);
        return;
    }
    TOrbitBatch b = Batch();
    b.SetRow(re, im, n);
    b.counts = counts;
    IterateBatch(b, path_, pool_, threads_);
}

void TKernel::CountPoints(const TComplex* points, int n, std::int32_t* counts) const {
    if (n <= 0) return;
    if (calls_) *calls_ += static_cast<std::uint64_t>(n);
    if (path_ == TKernelPath::Scalar && threads_ <= 1) {
        for (int i = 0; i < n; ++i)
            counts[i] = CountOne(points[i].Re, points[i].Im);
        return;
    }
    TOrbitBatch b = Batch();
    b.points = points;
    b.n = n;
    b.counts = counts;
    IterateBatch(b, path_, pool_, threads_);
}

} // namespace vistal
