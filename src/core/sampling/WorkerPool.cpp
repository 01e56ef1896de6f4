#include "sampling/WorkerPool.h"

namespace corvelle {

WorkerPool::~WorkerPool() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
}  // the jthreads join here

void WorkerPool::run(int n, const std::function<void(int)>& fn) {
    if (n <= 0) return;
    if (n == 1) return fn(0);
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

void WorkerPool::work() {
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

}  // namespace corvelle
