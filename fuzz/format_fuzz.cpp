// SPDX-License-Identifier: GPL-3.0-or-later
// The "%g" formatter and its parser: for any finite double x, parsing
// FormatReal(x) gives x rounded to 15 significant digits, and formatting that
// again gives the same text; for any text the parser accepts, formatting and
// parsing again changes nothing more.
#include "FuzzSupport.h"
#include "base/UFormat.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

using namespace vistal;

namespace {

// x rounded to 15 significant digits, by the C library.
double Rounded15(double x) {
    char text[64];
    std::snprintf(text, sizeof text, "%.14e", x);
    return std::strtod(text, nullptr);
}

void CheckRoundTrip(double x) {
    if (!std::isfinite(x)) return;
    const std::string text = FormatReal(x);
    const std::optional<double> back = ParseReal(text);
    fuzz::Expect(back.has_value(), "FormatReal's text parses");
    const double expected = Rounded15(x);
    if (std::isfinite(expected))
        fuzz::Expect(*back == expected, "parse(format(x)) is x to 15 significant digits");
    else // the largest doubles: rounded down to stay a double
        fuzz::Expect(std::fabs(*back) <= std::fabs(x) && std::fabs(x - *back) <= 1e-14 * std::fabs(x),
                     "parse(format(x)) of the largest doubles is x rounded down to 15 digits");
    fuzz::Expect(FormatReal(*back) == text, "formatting the parsed value gives the same text");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size >= sizeof(double)) {
        double x;
        std::memcpy(&x, data, sizeof x);
        CheckRoundTrip(x);
    }
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (const std::optional<double> v = ParseReal(text)) {
        fuzz::Expect(std::isfinite(*v), "the parser gives finite numbers");
        CheckRoundTrip(*v);
    }
    if (const std::optional<long long> n = ParseInteger(text)) {
        const std::string back = std::to_string(*n);
        fuzz::Expect(ParseInteger(back) == n, "an integer reads back");
    }
    return 0;
}
