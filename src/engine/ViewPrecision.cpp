// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/ViewPrecision.h"

#include "engine/vistal_class.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace vistal {

TViewPrecision ViewPrecision(const TVistal& engine) {
    const TComplex p = engine.GetPointP(), q = engine.GetPointQ();
    // The corners hold the largest coordinates of the view; every point's
    // coordinates are at most that far from 0.
    const double largest = std::max({std::fabs(p.Re), std::fabs(p.Im), std::fabs(q.Re), std::fabs(q.Im)});
    TViewPrecision precision;
    precision.PixelStep = engine.ImSpan() / engine.Height();
    // A view so wide that its corners overflow has other troubles than this.
    if (std::isfinite(largest))
        precision.Ulp = std::nextafter(largest, std::numeric_limits<double>::infinity()) - largest;
    return precision;
}

} // namespace vistal
