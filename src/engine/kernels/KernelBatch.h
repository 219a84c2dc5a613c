// SPDX-License-Identifier: GPL-3.0-or-later
// Batches of sample points iterated together. The plain loop (one point at a
// time) defines every result; the fast paths keep several SIMD vectors of
// points in flight, refill a lane with the next point as soon as its point
// finishes, stop an orbit as soon as it provably repeats, and may share a
// batch among the engine's worker threads. Every path gives the same counts.
#pragma once

#include "engine/kernels/OrbitBatch.h"

#include <cstddef>
#include <cstdint>

namespace vistal {

class TWorkerPool;

// How kernels compute. Scalar is the plain loop, the definition; Auto takes
// the widest instruction set this processor has. The named sets force one
// path (tests and measurements); one the processor lacks falls back to the
// widest narrower one it has.
enum class TKernelPath : std::uint8_t { Scalar, Auto, Generic, Sse2, Avx2, Avx512 };

const char* KernelPathName(TKernelPath path);
// The path that actually runs on this processor for a requested one.
TKernelPath ResolveKernelPath(TKernelPath requested);
bool KernelPathSupported(TKernelPath path);

// Iterates a whole batch on the given path, on up to `threads` threads of the
// pool (the calling thread included; no pool or threads <= 1: the calling
// thread alone). Returns when every result is written; no worker is active
// afterwards.
void IterateBatch(const TOrbitBatch& batch, TKernelPath path, TWorkerPool* pool = nullptr, int threads = 1);

} // namespace vistal
