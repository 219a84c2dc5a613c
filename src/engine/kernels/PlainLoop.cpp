// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/kernels/PlainLoop.h"

namespace vistal {

TComplex ComplexPow(const TComplex& z, int n) {
    if (n <= 1) return z;
    TComplex w{z.Re * z.Re - z.Im * z.Im, 2 * z.Re * z.Im};
    TComplex r = ComplexPow(w, n / 2);
    if (n % 2 == 0) return r;
    return TComplex{r.Re * z.Re - r.Im * z.Im, r.Re * z.Im + r.Im * z.Re};
}

// Every new value and every square is a double; the squares of the escape test
// are carried into the next step. The step counter is wider than the limit, so
// that the largest limit ends the loop too.
std::int32_t IterateOrbitPlain(double re, double im, double cRe, double cIm, std::int32_t iteration, int pow,
                               double bound, TComplex* finalZ) {
    double re2 = re * re, im2 = im * im;
    std::int32_t count = 0;
    if (pow == 2) {
        for (std::int64_t k = 1; k <= iteration; ++k) {
            double nIm = 2 * re * im + cIm;
            re = (re2 - im2) + cRe;
            im = nIm;
            re2 = re * re;
            im2 = im * im;
            if (re2 + im2 >= bound) {
                count = static_cast<std::int32_t>(k);
                break;
            }
        }
    } else if (pow == 3) {
        for (std::int64_t k = 1; k <= iteration; ++k) {
            double nRe = cRe + re * (re2 - 3 * im2);
            double nIm = cIm + im * (3 * re2 - im2);
            re = nRe;
            im = nIm;
            re2 = re * re;
            im2 = im * im;
            if (re2 + im2 >= bound) {
                count = static_cast<std::int32_t>(k);
                break;
            }
        }
    } else {
        for (std::int64_t k = 1; k <= iteration; ++k) {
            TComplex p = ComplexPow(TComplex{re, im}, pow);
            re = p.Re + cRe;
            im = p.Im + cIm;
            re2 = re * re;
            im2 = im * im;
            if (re2 + im2 >= bound) {
                count = static_cast<std::int32_t>(k);
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

} // namespace vistal
