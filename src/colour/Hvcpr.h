// SPDX-License-Identifier: GPL-3.0-or-later
// Types of the VCP palette reader: result codes and limits.
#pragma once

#include "base/Bitmap.h"

#include <cstddef>
#include <vector>

namespace vistal {

// Result of ReadVcpFile: vcpOk, a line number n > 0 (1-based, every physical
// line counted) holding the first error, vcpFileNotFound or vcpNoColor.
enum : int {
    vcpOk = 0,
    vcpFileNotFound = -1,
    vcpNoColor = -2,
};

// The most colours a palette file may define. A directive or colour line that
// would go beyond it is an error of that line, so a huge step count costs
// neither memory nor time.
inline constexpr std::size_t kMaxVcpColors = 1048576;

// Lines longer than this keep only their beginning. Comments, colour lines and
// unknown directives are decided by their first characters; a #GRAD or #LINE
// line this long is an error of that line.
inline constexpr std::size_t kMaxVcpLineLength = 16 * 1024 * 1024;

struct TVcpReadResult {
    int Code = vcpOk;
    std::vector<TColor> Colors; // in file order; empty unless Code is vcpOk
};

} // namespace vistal
