#include "util/SerialQueue.h"

#include <algorithm>
#include <chrono>

namespace corvelle {

SerialQueue::SerialQueue() : worker_([this] { run(); }) {}

SerialQueue::~SerialQueue() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
        pending_.clear();
    }
    wake_.notify_all();
    worker_.join();
}

void SerialQueue::async(std::function<void()> work) {
    {
        std::lock_guard lock(mutex_);
        pending_.push_back(std::move(work));
    }
    wake_.notify_one();
}

bool SerialQueue::waitUntilEmpty(double seconds) {
    std::unique_lock lock(mutex_);
    const auto limit = std::chrono::duration<double>(seconds > 0 ? std::min(seconds, 86400.0) : 0.0);
    return empty_.wait_for(lock, limit, [this] { return pending_.empty() && !busy_; });
}

void SerialQueue::run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stopping_ || !pending_.empty(); });
        if (stopping_) return;
        auto work = std::move(pending_.front());
        pending_.pop_front();
        busy_ = true;
        lock.unlock();
        work();
        work = nullptr;  // release what the work captured before reporting it done
        lock.lock();
        busy_ = false;
        if (pending_.empty()) empty_.notify_all();
    }
}

}  // namespace corvelle
