#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace corvelle {

// Runs fn(0) ... fn(n - 1) concurrently and returns when all have finished. Iteration 0 runs on
// the calling thread, the others on worker threads that are started on first need and then kept
// parked for the next run, so a tick does not pay for creating threads.
class WorkerPool {
public:
    WorkerPool() = default;
    ~WorkerPool();
    WorkerPool(const WorkerPool&) = delete;
    WorkerPool& operator=(const WorkerPool&) = delete;

    void run(int n, const std::function<void(int)>& fn);

private:
    // Waits for a new round, claims iterations until none is left, and reports back.
    void work();

    std::mutex runMutex_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable done_;
    const std::function<void(int)>* job_ = nullptr;
    int count_ = 0;
    int next_ = 0;
    int pending_ = 0;
    unsigned long round_ = 0;
    bool stopping_ = false;
    std::vector<std::jthread> workers_;  // last member: joined before the rest is destroyed
};

}  // namespace corvelle
