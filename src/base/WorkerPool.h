// SPDX-License-Identifier: GPL-3.0-or-later
// A small pool of worker threads owned by one engine. A job runs on a number
// of threads at once (the calling thread is one of them) and Run returns only
// when every part has returned, so no worker is ever active outside Run.
#pragma once

#include <atomic>
#include <cstdint>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace vistal {

class TWorkerPool {
public:
    static constexpr int kMaxThreads = 256;

    TWorkerPool() = default;
    ~TWorkerPool();
    TWorkerPool(const TWorkerPool&) = delete;
    TWorkerPool& operator=(const TWorkerPool&) = delete;

    // Number of threads a job can use: the workers plus the calling thread.
    int Threads() const { return static_cast<int>(workers_.size()) + 1; }
    // Adds workers until the pool has `threads` threads. Only between jobs.
    void Reserve(int threads);

    // Runs part(0) on the calling thread and part(t), t = 1..threads-1, on the
    // workers that are free to join while part(0) runs (threads is limited to
    // Threads()); returns when every part that started has returned. The parts
    // must share their work dynamically (a worker may not join at all). An
    // exception thrown by a part is rethrown here after the others finished.
    void Run(int threads, const std::function<void(int)>& part);

    // Work estimate carried from one batch to the next (iterations per point).
    double workPerPoint = -1;

    // The number of threads of "all cores".
    static int HardwareThreads();

private:
    void WorkerLoop(int index, std::uint32_t seen);

    std::vector<std::thread> workers_;
    std::atomic<std::uint32_t> generation_{0};
    std::atomic<bool> open_{false}; // a job accepts workers
    std::atomic<int> busy_{0};      // workers inside the current job
    std::atomic<bool> stop_{false};
    const std::function<void(int)>* part_ = nullptr;
    int partThreads_ = 0;
    std::mutex errorMutex_;
    std::exception_ptr error_;
};

} // namespace vistal
