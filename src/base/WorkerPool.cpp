// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/WorkerPool.h"

#include <chrono>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define VISTAL_PAUSE() _mm_pause()
#else
#define VISTAL_PAUSE() ((void)0)
#endif

#if defined(__linux__)
#include <pthread.h>
#include <sched.h>
#endif

namespace vistal {

namespace {

// How long a thread keeps polling for the next job or for the end of a job
// before it sleeps: long enough to bridge the gap between two rows of a
// drawing, short enough not to burn a core while the explorer is idle.
constexpr auto kSpin = std::chrono::microseconds(200);

// Waits until value != old: polls first, then sleeps on the atomic.
template <class T> T AwaitChange(const std::atomic<T>& value, T old) {
    const auto until = std::chrono::steady_clock::now() + kSpin;
    for (int i = 1;; ++i) {
        T v = value.load(std::memory_order_acquire);
        if (v != old) return v;
        VISTAL_PAUSE();
        if (i % 64 == 0 && std::chrono::steady_clock::now() > until) break;
    }
    for (;;) {
        value.wait(old, std::memory_order_acquire);
        T v = value.load(std::memory_order_acquire);
        if (v != old) return v;
    }
}

} // namespace

int TWorkerPool::HardwareThreads() {
#if defined(__linux__)
    cpu_set_t set;
    if (sched_getaffinity(0, sizeof set, &set) == 0) {
        int n = CPU_COUNT(&set);
        if (n > 0) return n;
    }
#endif
    unsigned n = std::thread::hardware_concurrency();
    return n > 0 ? static_cast<int>(n) : 1;
}

TWorkerPool::~TWorkerPool() {
    stop_.store(true, std::memory_order_release);
    generation_.fetch_add(1, std::memory_order_acq_rel);
    generation_.notify_all();
    for (auto& w : workers_)
        w.join();
}

void TWorkerPool::Reserve(int threads) {
    while (Threads() < threads) {
        // The worker starts from the generation of now: a job or the stop
        // signal posted before the thread gets going is not missed.
        const int index = Threads();
        const std::uint32_t seen = generation_.load(std::memory_order_acquire);
        workers_.emplace_back([this, index, seen] { WorkerLoop(index, seen); });
    }
}

void TWorkerPool::WorkerLoop(int index, std::uint32_t seen) {
#if defined(__linux__)
    // Named, so that top -H and a debugger tell the drawing threads apart.
    pthread_setname_np(pthread_self(), "vistal-worker");
#endif
    for (;;) {
        seen = AwaitChange(generation_, seen);
        if (stop_.load(std::memory_order_acquire)) return;
        // Join the job only while it is open: a worker that comes late (its
        // core was busy elsewhere) finds the job closed and the caller gone on
        // without it. A worker counted in busy_ keeps the job from ending.
        busy_.fetch_add(1, std::memory_order_seq_cst);
        if (open_.load(std::memory_order_seq_cst)) {
            seen = generation_.load(std::memory_order_acquire); // the open job is the newest
            if (index < partThreads_) {
                try {
                    (*part_)(index);
                } catch (...) {
                    std::lock_guard lock(errorMutex_);
                    if (!error_) error_ = std::current_exception();
                }
            }
        }
        if (busy_.fetch_sub(1, std::memory_order_seq_cst) == 1) busy_.notify_all();
    }
}

void TWorkerPool::Run(int threads, const std::function<void(int)>& part) {
    if (threads > Threads()) threads = Threads();
    if (threads <= 1) {
        part(0);
        return;
    }
    part_ = &part;
    partThreads_ = threads;
    error_ = nullptr;
    open_.store(true, std::memory_order_seq_cst);
    generation_.fetch_add(1, std::memory_order_seq_cst);
    generation_.notify_all();
    std::exception_ptr own;
    try {
        part(0);
    } catch (...) {
        own = std::current_exception();
    }
    // The parts share their work through the job itself, so the calling thread
    // has done all that no worker took: close the job and wait only for the
    // workers inside it.
    open_.store(false, std::memory_order_seq_cst);
    for (int busy = busy_.load(std::memory_order_seq_cst); busy != 0;
         busy = busy_.load(std::memory_order_seq_cst))
        AwaitChange(busy_, busy);
    part_ = nullptr;
    if (own) std::rethrow_exception(own);
    if (error_) std::rethrow_exception(error_);
}

} // namespace vistal
