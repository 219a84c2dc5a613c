// SPDX-License-Identifier: GPL-3.0-or-later
// The values of files of counts (written and read back through the renderer's
// tests): NF stays below 1 where ν reaches the next count.
#include "colour/CountsFile.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace vistal;

TEST(CountsFile, FractionsStayBelowOne) {
    EXPECT_EQ(CountsFileFraction(7, 8.0), std::nextafter(1.0f, 0.0f));
    EXPECT_EQ(CountsFileFraction(7, 7.99999999), std::nextafter(1.0f, 0.0f)); // a float rounds it to 1
}
