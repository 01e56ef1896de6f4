#include "sampling/WorkerPool.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <ranges>
#include <set>
#include <mutex>
#include <thread>

namespace corvelle {
namespace {

TEST(WorkerPool, RunsEveryIterationOnceAndAllAtTheSameTime) {
    WorkerPool pool;
    for (int n : {1, 2, 6, 3, 8}) {
        std::atomic<int> arrived{0};
        std::mutex mutex;
        std::multiset<int> seen;
        std::set<std::thread::id> threads;
        pool.run(n, [&](int i) {
            // Every iteration waits for all the others: a pool that ran them one after another
            // would never get past this.
            ++arrived;
            const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
            while (arrived < n && std::chrono::steady_clock::now() < deadline) std::this_thread::yield();
            std::lock_guard lock(mutex);
            seen.insert(i);
            threads.insert(std::this_thread::get_id());
        });
        EXPECT_EQ(arrived, n);
        EXPECT_TRUE(std::ranges::equal(seen, std::views::iota(0, n))) << n;
        EXPECT_EQ(threads.size(), static_cast<size_t>(n));
    }
    pool.run(0, [](int) { FAIL(); });
}

}  // namespace
}  // namespace corvelle
