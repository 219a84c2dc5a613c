// SPDX-License-Identifier: GPL-3.0-or-later
// The functions of extended drawing: potentials of a final iterate, the
// brightness of the relief they form, and the representation of a brightness
// as a value 0..1. All in double precision with the C library's functions.
#pragma once

#include "base/UType.h"

#include <cstdint>

namespace vistal {

// What the potential functions need of the engine.
struct TPotentialScale {
    double CorrectionScale = 1; // 10^Correction
    double Ln2 = 0;             // ln 2
};

using TPotentialFunction = double (*)(const TComplex& z, std::int32_t count, const TPotentialScale& scale);
// The three slopes of a pixel: towards its right neighbour, towards its lower
// neighbour, and its own.
using TBrightFunction = double (*)(double px, double py, double pc);
using TRepresentFunction = double (*)(double x);

// log2(|z|^2) × (K × 0.5) ÷ 2^count, 0 when z = 0; K = CorrectionScale. The
// divisor is a double, infinite for count >= 1024.
double Potential1(const TComplex& z, std::int32_t count, const TPotentialScale& scale);
// The continuous count count − log2(ln|z|), divided by K; 0 when |z| <= 1.
double Potential2(const TComplex& z, std::int32_t count, const TPotentialScale& scale);
// cos(|z|^2) ÷ K.
double Potential3(const TComplex& z, std::int32_t count, const TPotentialScale& scale);

// Each computes d = px + py − 2 × pc, then:
double Bright1(double px, double py, double pc); // ∓√2 ÷ √(d² + 2): −e for d > 0, else e
double Bright2(double px, double py, double pc); // (d + 1) ÷ (√(d² + 2) + √2)
double Bright3(double px, double py, double pc); // 1 ÷ (√(d² + 2) + 1)
double Bright4(double px, double py, double pc); // sin(atan2(d, √2))

double Representation1(double x); // (x + 1) ÷ 2: −1..1 onto 0..1
double Representation2(double x); // |x|
// 1 − x when lightDark is 1, else x.
double ApplyLightDark(double x, std::uint8_t lightDark);

// The function chosen by a drawing mode (6..8), by PotentialBright (0..3) and by
// Represent (1 selects Representation2, anything else Representation1).
// Null for a drawing mode or PotentialBright outside those ranges.
TPotentialFunction PotentialFunctionOf(std::uint8_t drawMode);
TBrightFunction BrightFunctionOf(std::uint8_t potentialBright);
TRepresentFunction RepresentFunctionOf(std::uint8_t represent);

} // namespace vistal
