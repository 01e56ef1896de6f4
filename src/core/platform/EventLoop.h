#pragma once

#include <cstdint>
#include <functional>

namespace corvelle {

using TimerId = std::uint64_t;

// The main thread's run loop. The core never starts threads or timers of its own for
// deferred work: it asks the loop. Timers fire on the loop's thread.
class EventLoop {
public:
    virtual ~EventLoop() = default;
    // Runs fn later on the loop's thread. Safe to call from any thread.
    virtual void post(std::function<void()> fn) = 0;
    // Runs fn every intervalSeconds until cancelled. Loop thread only.
    virtual TimerId startRepeating(double intervalSeconds, std::function<void()> fn) = 0;
    // Runs fn once after delaySeconds unless cancelled first. Loop thread only.
    virtual TimerId startSingleShot(double delaySeconds, std::function<void()> fn) = 0;
    // Cancelling an unknown or finished timer does nothing.
    virtual void cancel(TimerId id) = 0;
};

}  // namespace corvelle
