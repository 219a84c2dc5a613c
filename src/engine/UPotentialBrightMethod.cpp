// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/UPotentialBrightMethod.h"

#include "engine/PotentialMath.h"

#include <cmath>

namespace vistal {

namespace pm = potential_math;

double Potential1(const TComplex& z, std::int32_t count, const TPotentialScale& scale) {
    return pm::Potential1Of(pm::SquaredModulus(z), scale.CorrectionScale * 0.5, pm::PowerOfTwo(count));
}

double Potential2(const TComplex& z, std::int32_t count, const TPotentialScale& scale) {
    return pm::Potential2Of(std::sqrt(pm::SquaredModulus(z)), count, scale.Ln2, scale.CorrectionScale);
}

double Potential3(const TComplex& z, std::int32_t, const TPotentialScale& scale) {
    return pm::Potential3Of(pm::SquaredModulus(z), scale.CorrectionScale);
}

double Bright1(double px, double py, double pc) {
    return pm::Bright1Of(pm::SlopeSum(px, py, pc));
}

double Bright2(double px, double py, double pc) {
    return pm::Bright2Of(pm::SlopeSum(px, py, pc));
}

double Bright3(double px, double py, double pc) {
    return pm::Bright3Of(pm::SlopeSum(px, py, pc));
}

double Bright4(double px, double py, double pc) {
    return pm::Bright4Of(pm::SlopeSum(px, py, pc));
}

double Representation1(double x) {
    return pm::Representation1Of(x);
}
double Representation2(double x) {
    return pm::Representation2Of(x);
}

double ApplyLightDark(double x, std::uint8_t lightDark) {
    return pm::LightDarkOf(x, lightDark == 1);
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
