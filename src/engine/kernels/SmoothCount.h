// The continuous count of an escaped orbit, for smooth colouring:
//
//     ν = n + 1 − log(log|zₙ| ÷ log R) ÷ log p
//
// n the count, zₙ the z where the orbit stopped, R the escape radius (2 for
// the counting kernels, Escape for the extended ones) and p the exponent.
// Where |zₙ| is large beside |c|, zₙ₊₁ ≈ zₙᵖ, so ν runs on without a jump from
// one count's band into the next. At escape |zₙ| ≥ R, so the fraction
// log(log|zₙ| ÷ log R) ÷ log p is 0 where |zₙ| = R and close to 1 where |zₙ| is
// near Rᵖ; it is kept to 0..1, so ν always lies between n and n + 1 and a
// colour never leaves the band of its count. That bound matters for small R:
// near R = 1 the fraction exceeds 1 wherever |c| is not small beside Rᵖ. With
// log R ≤ 0 (R = 1) there is no continuous count, and ν = n: the stepped count.
#pragma once

#include "base/UType.h"

#include <cmath>
#include <cstdint>

namespace vistal {

// log R and log p of a drawing, computed once.
struct TSmoothScale {
    TSmoothScale(double escapeRadius, int pow)
        : logRadius(std::log(escapeRadius)), logPow(std::log(double(pow))) {}
    double logRadius;
    double logPow;
};

// ν of a count and its final z; 0 for count 0 (the orbit never escaped).
inline double SmoothCount(std::int32_t count, const TComplex& z, const TSmoothScale& scale) {
    if (count == 0) return 0;
    double fraction = 1; // log R ≤ 0, or |z| beyond doubles: the stepped count
    if (scale.logRadius > 0) {
        const double logModulus = 0.5 * std::log(z.Re * z.Re + z.Im * z.Im);
        const double f = std::log(logModulus / scale.logRadius) / scale.logPow;
        if (f < 0)
            fraction = 0;
        else if (f < 1)
            fraction = f;
    }
    return double(count) + 1 - fraction;
}

} // namespace vistal
