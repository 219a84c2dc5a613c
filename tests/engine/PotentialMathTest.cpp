// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/PotentialMath.h"
#include "base/UFormat.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

using namespace vistal;

// The component rounding gives TRgb's result, RoundToInt clamped into
// 0..255, for every half-way value (ties go to the even neighbour), the
// values next to them and the ends of the range.
TEST(PotentialMath, ComponentRoundsLikeRoundToIntAndClamps) {
    constexpr double inf = std::numeric_limits<double>::infinity();
    std::vector<double> values = {0.0,
                                  -0.0,
                                  1e-300,
                                  -1e-300,
                                  255.0,
                                  256.0,
                                  1e300,
                                  -1e300,
                                  inf,
                                  -inf,
                                  std::numeric_limits<double>::quiet_NaN(),
                                  2147483648.0,
                                  -2147483649.0};
    for (int k = -3; k <= 258; ++k)
        for (double v : {k + 0.5, double(k), k + 0.25, k + 0.75}) {
            values.push_back(v);
            values.push_back(std::nextafter(v, inf));
            values.push_back(std::nextafter(v, -inf));
        }
    for (double v : values)
        EXPECT_EQ(potential_math::ComponentOf(v), std::clamp(RoundToInt(v), 0, 255)) << v;
}
