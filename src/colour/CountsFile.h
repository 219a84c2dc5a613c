// Iteration counts as a file for other programs: OpenEXR with one channel N
// of 32-bit unsigned integers, as fractal programs exchange iteration data:
// a point that escaped holds its count k ≥ 1, a point that never escaped
// 0xFFFFFFFF. The header names the iteration limit ("Iterations", int) and
// keeps the view as text ("vistal", string: the text a PNG picture keeps).
#pragma once

#include <cstdint>
#include <string>

namespace vistal {

// N of a count: k for k ≥ 1, 0xFFFFFFFF for 0 (never escaped).
inline std::uint32_t CountsFileValue(std::int32_t count) {
    return count > 0 ? static_cast<std::uint32_t>(count) : 0xFFFFFFFFu;
}

// Writes width × height counts (row by row from the top) to the file,
// replaced atomically (base/AtomicFile.h); raises EFileWriteError on failure.
void WriteCountsFile(const std::string& fileName, int width, int height, const std::int32_t* counts,
                     std::int32_t iteration, const std::string& viewText);

} // namespace vistal
