// SPDX-License-Identifier: GPL-3.0-or-later
// Iteration counts as a file for other programs: OpenEXR with the channels
// fractal programs exchange iteration data in:
// - N, 32-bit unsigned integers: a point that escaped holds its count k ≥ 1,
//   a point that never escaped 0xFFFFFFFF;
// - NF, 32-bit floats: the fraction of its continuous count ν beyond k,
//   ν − k in [0, 1), so that N + NF is ν; 0 where N is 0xFFFFFFFF.
// The header names the iteration limit ("Iterations", int) and keeps the view
// as text ("vistal", string: the text a PNG picture keeps).
#pragma once

#include <cstdint>
#include <string>

namespace vistal {

// N of a count: k for k ≥ 1, 0xFFFFFFFF for 0 (never escaped).
inline std::uint32_t CountsFileValue(std::int32_t count) {
    return count > 0 ? static_cast<std::uint32_t>(count) : 0xFFFFFFFFu;
}

// NF of a count and its continuous count: ν − count as a float, kept below 1
// (a ν of count + 1, where |z| met the escape radius exactly, or a float that
// rounds up to 1, gives the largest float below 1); 0 for count 0.
float CountsFileFraction(std::int32_t count, double nu);

// Writes width × height counts and their continuous counts nu (row by row
// from the top) to the file, replaced atomically (base/AtomicFile.h); raises
// EFileWriteError on failure.
void WriteCountsFile(const std::string& fileName, int width, int height, const std::int32_t* counts,
                     const double* nu, std::int32_t iteration, const std::string& viewText);

} // namespace vistal
