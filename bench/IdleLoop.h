#pragma once

#include "platform/EventLoop.h"

namespace corvelle {

// An event loop on which nothing ever runs: timers never fire and posted work is dropped, so a
// benchmark times only the calls it makes itself.
class IdleLoop : public EventLoop {
public:
    void post(std::function<void()>) override {}
    TimerId startRepeating(double, std::function<void()>) override { return 1; }
    TimerId startSingleShot(double, std::function<void()>) override { return 1; }
    void cancel(TimerId) override {}
};

}  // namespace corvelle
