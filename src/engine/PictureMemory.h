// SPDX-License-Identifier: GPL-3.0-or-later
// Whether a picture of a given size can be drawn in the memory this process
// may still take, checked from the sizes before any work: a picture that
// cannot be had is refused at once with what it needs and what is there,
// instead of after minutes of drawing or by the system ending the program.
#pragma once

#include <cstdint>
#include <string>

namespace vistal {

// The memory this process may still take, and what sets that bound.
struct TMemoryLimit {
    std::uint64_t Bytes = 0;
    // How a message names it: "this machine has", "the address-space limit
    // (ulimit -v) leaves", "the data limit (ulimit -d) leaves".
    std::string Source;
};

// The smallest of: the machine's physical memory, and what the limits on
// address space and data (RLIMIT_AS, RLIMIT_DATA, where set) leave beyond what
// this process has mapped already.
TMemoryLimit AvailableMemory();

// Bytes a drawing of width × height pixels keeps: 4 a pixel for each picture
// held at once (the renderer holds one; a window that shows a copy while it
// keeps the drawing holds two), and for the extended drawing methods
// (DrawMode 5..8) 20 a sample for the results kept for re-colouring, of
// (width + 1) × (height + 1) samples.
std::uint64_t PictureMemoryNeeded(int width, int height, std::uint8_t drawMode, int pictures = 1);

// The largest side of a picture, in pixels: each side an int with room for the
// extra sample of the extended methods, and every byte count of a picture well
// inside 64 bits.
inline constexpr int kMaxPictureSide = 100000;

// Working memory of a drawing besides its pictures and results: row buffers,
// threads, the encoders of picture files.
inline constexpr std::uint64_t kDrawingWorkingMemory = 64ull * 1024 * 1024;

// Empty when the drawing fits in the available memory (with room for its
// work); otherwise one sentence without a full stop, such as "needs 37.3 GiB
// (4 bytes a pixel); this machine has 23.4 GiB". A size that is not positive
// is refused too.
std::string CheckPictureMemory(int width, int height, std::uint8_t drawMode, int pictures = 1);
std::string CheckPictureMemory(int width, int height, std::uint8_t drawMode, int pictures,
                               const TMemoryLimit& available);

// Empty when the reference orbits and approximation tables of a deep view
// with this iteration limit fit in the available memory beside `besides`
// bytes (the pictures); otherwise one sentence without a full stop, such as
// "a deep view of this limit needs 240 GiB for its reference orbit and
// tables (120 bytes an iteration); this machine has 23.4 GiB". The need is
// that of a reference that runs to the limit.
std::string CheckDeepMemory(std::int32_t iteration, bool julia, std::uint64_t besides,
                            const TMemoryLimit& available);

} // namespace vistal
