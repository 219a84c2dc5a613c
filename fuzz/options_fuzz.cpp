// SPDX-License-Identifier: GPL-3.0-or-later
// The renderer's option parser on any command line (the input cut at bytes 0
// into arguments): options or ECommandLine, nothing else; the values it
// accepts lie inside the documented limits.
#include "FuzzSupport.h"
#include "cli/CliOptions.h"

#include <cmath>

using namespace vistal;
using namespace vistal::cli;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::TInput input(data, size);
    std::vector<std::string> args;
    while (!input.Empty() && args.size() < 64)
        args.emplace_back(input.Field());
    TRenderOptions o;
    try {
        o = ParseRenderOptions(args);
    } catch (const ECommandLine&) {
        return 0;
    }
    if (o.width) fuzz::Expect(*o.width >= 1 && *o.width <= 100000, "the width is 1..100000");
    if (o.height) fuzz::Expect(*o.height >= 1 && *o.height <= 100000, "the height is 1..100000");
    if (o.iterations) fuzz::Expect(*o.iterations >= 1, "the iteration limit is positive");
    if (o.detail) fuzz::Expect(*o.detail >= 1, "the detail is positive");
    if (o.correction) fuzz::Expect(std::fabs(*o.correction) <= 300, "the correction is -300..300");
    if (o.escape)
        fuzz::Expect(std::isfinite(*o.escape) && *o.escape >= 1, "the escape radius is finite, >= 1");
    if (o.span)
        fuzz::Expect(std::isfinite(o.span->ToDouble()) && o.span->Mant >= 0 &&
                         o.span->Log2Floor() >= kMinSpanLog2,
                     "the span is finite, not negative, not below the smallest");
    if (o.center)
        fuzz::Expect(std::isfinite(o.center->Re) && std::isfinite(o.center->Im), "the centre is finite");
    if (o.julia)
        fuzz::Expect(std::isfinite(o.julia->Re) && std::isfinite(o.julia->Im), "the constant is finite");
    return 0;
}
