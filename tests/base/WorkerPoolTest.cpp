// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/WorkerPool.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <thread>

using namespace vistal;

TEST(WorkerPool, GrowsOnlyAndCountsTheCallingThread) {
    TWorkerPool pool;
    EXPECT_EQ(pool.Threads(), 1);
    pool.Reserve(3);
    EXPECT_EQ(pool.Threads(), 3);
    pool.Reserve(2);
    EXPECT_EQ(pool.Threads(), 3);
    EXPECT_GE(TWorkerPool::HardwareThreads(), 1);
}

// The parts share a counter of work items: every item is done exactly once,
// whoever joins, and nothing runs after Run has returned.
TEST(WorkerPool, AllWorkIsDoneAndNoPartOutlivesRun) {
    TWorkerPool pool;
    pool.Reserve(3);
    std::atomic<int> running{0}, items{0}, done{0}, joined{0};
    for (int job = 0; job < 300; ++job) {
        items = 0;
        done = 0;
        pool.Run(3, [&](int t) {
            ++running;
            bool any = false;
            while (items.fetch_add(1) < 50) {
                any = true;
                ++done;
                std::this_thread::yield();
            }
            if (t != 0 && any) ++joined;
            --running;
        });
        ASSERT_EQ(running.load(), 0);
        ASSERT_EQ(done.load(), 50);
    }
    EXPECT_GT(joined.load(), 0); // the workers do take part
}

TEST(WorkerPool, OneThreadRunsOnTheCaller) {
    TWorkerPool pool;
    pool.Reserve(2);
    const auto caller = std::this_thread::get_id();
    int calls = 0;
    pool.Run(1, [&](int t) {
        EXPECT_EQ(t, 0);
        EXPECT_EQ(std::this_thread::get_id(), caller);
        ++calls;
    });
    EXPECT_EQ(calls, 1);
}

TEST(WorkerPool, ExceptionsReachTheCaller) {
    TWorkerPool pool;
    pool.Reserve(2);
    EXPECT_THROW(pool.Run(2,
                          [](int t) {
                              if (t == 0) throw std::runtime_error("part 0");
                          }),
                 std::runtime_error);
    // A worker's exception: the worker must have joined, so part 0 waits for it.
    std::atomic<bool> workerIn{false};
    EXPECT_THROW(pool.Run(2,
                          [&](int t) {
                              if (t != 0) {
                                  workerIn = true;
                                  throw std::logic_error("worker");
                              }
                              const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
                              while (!workerIn && std::chrono::steady_clock::now() < until)
                                  std::this_thread::yield();
                          }),
                 std::logic_error);
    // The pool still works afterwards: its worker takes part in the next job.
    std::atomic<bool> workerRan{false};
    pool.Run(2, [&](int t) {
        if (t != 0) {
            workerRan = true;
            return;
        }
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (!workerRan && std::chrono::steady_clock::now() < until)
            std::this_thread::yield();
    });
    EXPECT_TRUE(workerRan.load());
}

// Destroying a pool ends its threads, whether they have just started or have
// gone to sleep after a job.
TEST(WorkerPool, DestroyedWhileIdleOrRightAfterCreation) {
    // The pool's threads by their name: runtimes such as the thread sanitizer
    // start helper threads of their own at moments of their choosing.
    const auto threads = [] {
        long count = 0;
        for (const auto& task : std::filesystem::directory_iterator("/proc/self/task")) {
            std::ifstream comm(task.path() / "comm");
            std::string name;
            if (std::getline(comm, name) && name == "vistal-worker") ++count;
        }
        return count;
    };
    // A joined thread leaves the list of tasks a moment after it returned.
    const auto settled = [&](long count) {
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (threads() != count && std::chrono::steady_clock::now() < until)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        return threads();
    };
    const long before = settled(0);
    for (int i = 0; i < 20; ++i) {
        TWorkerPool pool;
        pool.Reserve(4);
    }
    EXPECT_EQ(settled(before), before);
    {
        TWorkerPool pool;
        pool.Reserve(2);
        pool.Run(2, [](int) {});
        std::this_thread::sleep_for(std::chrono::milliseconds(2)); // workers go to sleep
        EXPECT_EQ(settled(before + 1), before + 1);
    }
    EXPECT_EQ(settled(before), before);
}
