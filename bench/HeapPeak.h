// SPDX-License-Identifier: GPL-3.0-or-later
// The heap the benchmark program uses, counted by its own operator new and
// delete: the bytes of the blocks in use, and the most there were since the
// last reset. Memory a reader takes is measured with it, not timed.
#pragma once

#include <cstddef>

namespace vistal::bench {

std::size_t HeapInUse();
// The peak starts again from what is in use now.
void ResetHeapPeak();
std::size_t HeapPeak();

} // namespace vistal::bench
