// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/UFormat.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace vistal {

std::string FormatReal(double value) {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
    if (value == 0.0) return "0";

    // 15 significant digits: d.dddddddddddddde±XX
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, 14);
    std::string sci(buf, res.ptr);
    bool negative = sci[0] == '-';
    if (negative) sci.erase(0, 1);
    auto ePos = sci.find('e');
    int exponent = std::atoi(sci.c_str() + ePos + 1);
    std::string digits;
    for (std::size_t i = 0; i < ePos; ++i)
        if (sci[i] != '.') digits += sci[i];
    // The largest doubles round up beyond the largest double (1.79769313486232E308
    // is no double): such a text could not be read back, so the last digit is
    // rounded down instead.
    double back = 0;
    if (std::from_chars(sci.data(), sci.data() + sci.size(), back).ec == std::errc::result_out_of_range) {
        std::size_t i = digits.size();
        while (i > 0 && digits[i - 1] == '0')
            digits[--i] = '9';
        if (i > 0) --digits[i - 1];
    }
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();

    std::string out = negative ? "-" : "";
    if (exponent >= -5 && exponent < 15) {
        if (exponent < 0) {
            out += "0.";
            out.append(static_cast<std::size_t>(-exponent - 1), '0');
            out += digits;
        } else {
            auto intDigits = static_cast<std::size_t>(exponent) + 1;
            if (digits.size() <= intDigits) {
                out += digits;
                out.append(intDigits - digits.size(), '0');
            } else {
                out += digits.substr(0, intDigits);
                out += '.';
                out += digits.substr(intDigits);
            }
        }
    } else {
        out += digits[0];
        if (digits.size() > 1) {
            out += '.';
            out += digits.substr(1);
        }
        out += 'E';
        out += std::to_string(exponent);
    }
    return out;
}

static std::string_view TrimBlanks(std::string_view s) {
    auto isBlank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

std::optional<long long> ParseInteger(std::string_view text) {
    text = TrimBlanks(text);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    if (text.empty() || text.front() == '+') return std::nullopt;
    long long value = 0;
    auto res = std::from_chars(text.data(), text.data() + text.size(), value);
    if (res.ec != std::errc() || res.ptr != text.data() + text.size()) return std::nullopt;
    return value;
}

std::optional<double> ParseReal(std::string_view text) {
    text = TrimBlanks(text);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    if (text.empty() || text.front() == '+') return std::nullopt;
    // Only digits, signs, one point and an exponent are numbers here; this keeps
    // "inf", "nan" and hexadecimal floats out.
    for (char c : text)
        if (!((c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+' || c == 'e' || c == 'E'))
            return std::nullopt;
    double value = 0;
    auto res = std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
    if (res.ec != std::errc() || res.ptr != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

double RoundEven(double value) {
    return std::nearbyint(value); // the default rounding mode is to nearest, ties to even
}

int RoundToInt(double value) {
    if (std::isnan(value)) return 0;
    double r = RoundEven(value);
    if (r >= static_cast<double>(std::numeric_limits<int>::max())) return std::numeric_limits<int>::max();
    if (r <= static_cast<double>(std::numeric_limits<int>::min())) return std::numeric_limits<int>::min();
    return static_cast<int>(r);
}

std::string FormatByteSize(std::uint64_t bytes, bool roundUp) {
    constexpr std::uint64_t kMiB = 1024 * 1024, kGiB = 1024 * kMiB;
    if (bytes < kGiB) return std::to_string(bytes / kMiB + (roundUp && bytes % kMiB != 0 ? 1 : 0)) + " MiB";
    // Tenths of a GiB; 1/10 GiB is not a whole number of bytes, so the
    // remainder is taken of ten times the size.
    const unsigned __int128 tenfold = static_cast<unsigned __int128>(bytes) * 10;
    std::uint64_t tenths = static_cast<std::uint64_t>(tenfold / kGiB);
    if (roundUp && tenfold % kGiB != 0) ++tenths;
    return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10) + " GiB";
}

} // namespace vistal
