#include "engine/UPotentialBrightMethod.h"

#include <cmath>

namespace vistal {

namespace {
constexpr double kSqrt2 = 1.4142135623730951;

double SlopeSum(double px, double py, double pc) {
    return px + py - 2 * pc;
}
} // namespace

double Potential1(const TComplex& z, std::int32_t count, const TPotentialScale& scale) {
    const double s = z.Re * z.Re + z.Im * z.Im;
    if (!(s > 0)) return 0;
    const double divisor = std::pow(2.0, static_cast<double>(count));
    return std::log2(s) * (scale.CorrectionScale * 0.5) / divisor;
}

double Potential2(const TComplex& z, std::int32_t count, const TPotentialScale& scale) {
    const double r = std::sqrt(z.Re * z.Re + z.Im * z.Im);
    if (!(r > 0)) return 0;
    const double l = std::log(r);
    if (!(l > 0)) return 0;
    return (count - std::log(l) / scale.Ln2) / scale.CorrectionScale;
}

double Potential3(const TComplex& z, std::int32_t, const TPotentialScale& scale) {
    return std::cos(z.Re * z.Re + z.Im * z.Im) / scale.CorrectionScale;
}

double Bright1(double px, double py, double pc) {
    const double d = SlopeSum(px, py, pc);
    const double e = kSqrt2 / std::sqrt(d * d + 2);
    return d > 0 ? -e : e;
}

double Bright2(double px, double py, double pc) {
    const double d = SlopeSum(px, py, pc);
    return (d + 1) / (std::sqrt(d * d + 2) + kSqrt2);
}

double Bright3(double px, double py, double pc) {
    const double d = SlopeSum(px, py, pc);
    return 1 / (std::sqrt(d * d + 2) + 1);
}

double Bright4(double px, double py, double pc) {
    const double d = SlopeSum(px, py, pc);
    return std::sin(std::atan2(d, kSqrt2));
}

double Representation1(double x) {
    return (x + 1) / 2;
}
double Representation2(double x) {
    return std::fabs(x);
}

double ApplyLightDark(double x, std::uint8_t lightDark) {
    return lightDark == 1 ? 1 - x : x;
}

TPotentialFunction PotentialFunctionOf(std::uint8_t drawMode) {
    switch (drawMode) {
    case dmPotential1:
        return Potential1;
    case dmPotential2:
        return Potential2;
    case dmPotential3:
        return Potential3;
    default:
        return nullptr;
    }
}

TBrightFunction BrightFunctionOf(std::uint8_t potentialBright) {
    switch (potentialBright) {
    case 0:
        return Bright1;
    case 1:
        return Bright2;
    case 2:
        return Bright3;
    case 3:
        return Bright4;
    default:
        return nullptr;
    }
}

TRepresentFunction RepresentFunctionOf(std::uint8_t represent) {
    return represent == 1 ? Representation2 : Representation1;
}

} // namespace vistal
