#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

namespace corvelle {

// One worker thread that runs submitted work one item at a time, in submission order.
// Destroying the queue finishes the item in progress, drops the rest and joins the worker.
class SerialQueue {
public:
    SerialQueue();
    ~SerialQueue();
    SerialQueue(const SerialQueue&) = delete;
    SerialQueue& operator=(const SerialQueue&) = delete;

    void async(std::function<void()> work);
    // Blocks for at most `seconds` until everything submitted so far has run. True when it has.
    bool waitUntilEmpty(double seconds);

private:
    void run();

    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable empty_;
    std::deque<std::function<void()>> pending_;
    bool busy_ = false;
    bool stopping_ = false;
    std::thread worker_;
};

}  // namespace corvelle
