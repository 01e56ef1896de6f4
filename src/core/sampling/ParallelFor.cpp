#include "sampling/ParallelFor.h"

#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

namespace corvelle {
namespace {

// Workers wait for a new round, claim iterations until none is left, and report back.
class WorkerPool {
public:
    ~WorkerPool() {
        {
            std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        wake_.notify_all();
    }  // the jthreads join here

    void run(int n, const std::function<void(int)>& fn) {
        std::lock_guard serial(runMutex_);
        {
            std::lock_guard lock(mutex_);
            while (static_cast<int>(workers_.size()) < n - 1) workers_.emplace_back([this] { work(); });
            job_ = &fn;
            count_ = n;
            next_ = 1;
            pending_ = n - 1;
            ++round_;
        }
        wake_.notify_all();
        fn(0);
        std::unique_lock lock(mutex_);
        done_.wait(lock, [this] { return pending_ == 0; });
        job_ = nullptr;
    }

private:
    void work() {
        unsigned long seen = 0;
        std::unique_lock lock(mutex_);
        for (;;) {
            wake_.wait(lock, [&] { return stopping_ || round_ != seen; });
            if (stopping_) return;
            seen = round_;
            while (next_ < count_) {
                const int index = next_++;
                const auto* job = job_;
                lock.unlock();
                (*job)(index);
                lock.lock();
                if (--pending_ == 0) done_.notify_one();
            }
        }
    }

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

}  // namespace

void parallelFor(int n, const std::function<void(int)>& fn) {
    if (n <= 0) return;
    if (n == 1) return fn(0);
    static WorkerPool pool;
    pool.run(n, fn);
}

}  // namespace corvelle
