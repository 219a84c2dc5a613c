// SPDX-License-Identifier: GPL-3.0-or-later
// Locale-independent number formatting and parsing. Every real that the
// program shows or writes to a file goes through FormatReal.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vistal {

// The general format with 15 significant digits: trailing zeros and a trailing
// point removed; fixed notation when the magnitude is at least 0.00001 and has
// at most 15 integer digits, otherwise "1.5E-10" style (upper-case E, minus only
// for negative exponents, no plus sign, no leading zeros).
std::string FormatReal(double value);

// Decimal integer, optional sign, blanks around it allowed. Nothing else.
std::optional<long long> ParseInteger(std::string_view text);
// Decimal real with "." as separator, optional sign and exponent, blanks around
// it allowed. Infinities and NaN are refused.
std::optional<double> ParseReal(std::string_view text);

// Rounds to the nearest integer, ties to even.
double RoundEven(double value);
// RoundEven, then clamped into the int range (NaN gives 0).
int RoundToInt(double value);

// A size of memory or of a file for a message: "512 MiB" below 1 GiB, else
// "37.3 GiB". roundUp rounds a need up and a supply down (roundUp false), so a
// refusal never shows a need below what is there.
std::string FormatByteSize(std::uint64_t bytes, bool roundUp);

} // namespace vistal
