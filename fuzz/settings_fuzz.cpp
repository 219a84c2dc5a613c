// SPDX-License-Identifier: GPL-3.0-or-later
// The settings loader on any bytes: it never fails, and every value it gives
// is one the program can use.
#include "FuzzSupport.h"
#include "base/UType.h"
#include "locations/UGlobal.h"

#include <climits>

using namespace vistal;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static fuzz::TMemoryFile file;
    TGlobal global;
    global.LoadSettings(file.Hold(data, size));
    fuzz::Expect(global.Adjust() >= 1 && global.Adjust() <= 5, "the adjustment ratio is 1..5");
    fuzz::Expect(global.RefreshRate >= 0 && global.RefreshRate <= INT_MAX / 100, "the repaint interval fits");
    fuzz::Expect(global.RubberBand <= 1, "the rubber band is 0 or 1");
    fuzz::Expect(global.StartDrawMode <= dmPotential3, "the start-up method is a method");
    return 0;
}
