// SPDX-License-Identifier: GPL-3.0-or-later
// Inside the batch kernels: the shared cursor that hands sample points to the
// threads of one batch, and the lane engines of each instruction set.
#pragma once

#include "engine/kernels/OrbitBatch.h"

#include <algorithm>
#include <atomic>
#include <cstdint>

namespace vistal::lanes {

// Hands out the indices 0..n-1 of a batch in chunks, so that threads take
// work as they become free and finish together.
struct TBatchCursor {
    TBatchCursor(int count, int chunkSize) : n(count), chunk(std::max(1, chunkSize)) {}
    std::atomic<int> next{0};
    const int n;
    const int chunk;
};

// One thread's view of the cursor: the next index, or -1 when none is left.
class TLocalCursor {
public:
    explicit TLocalCursor(TBatchCursor& shared) : shared_(shared) {}
    int Next() {
        if (cur_ == end_) {
            if (done_) return -1;
            const int begin = shared_.next.fetch_add(shared_.chunk, std::memory_order_relaxed);
            if (begin >= shared_.n) {
                done_ = true;
                return -1;
            }
            cur_ = begin;
            end_ = std::min(shared_.n, begin + shared_.chunk);
        }
        return cur_++;
    }
    // Whether Next has found the cursor empty.
    bool Empty() const { return done_; }

private:
    TBatchCursor& shared_;
    int cur_ = 0, end_ = 0;
    bool done_ = false;
};

// A lane engine iterates the points it takes from the cursor until none is
// left and returns the number of lane steps it ran (idle lanes included).
using TLaneEngine = std::uint64_t (*)(const TOrbitBatch&, TBatchCursor&);

// Each returns null when its instruction set is not compiled in.
TLaneEngine GenericLanes();
TLaneEngine Sse2Lanes();
TLaneEngine Avx2Lanes();
TLaneEngine Avx512Lanes();

} // namespace vistal::lanes
