#pragma once

#include "platform/EventLoop.h"

#include <QObject>

#include <map>
#include <memory>

class QTimer;

namespace corvelle {

// The core's event loop on top of Qt's: posted work and timers run on the GUI thread.
class QtEventLoop : public EventLoop {
public:
    QtEventLoop();
    ~QtEventLoop() override;

    void post(std::function<void()> fn) override;
    TimerId startRepeating(double intervalSeconds, std::function<void()> fn) override;
    TimerId startSingleShot(double delaySeconds, std::function<void()> fn) override;
    void cancel(TimerId id) override;

private:
    TimerId start(double seconds, bool singleShot, std::function<void()> fn);

    QObject context_;
    std::map<TimerId, QTimer*> timers_;
    TimerId nextId_ = 1;
};

}  // namespace corvelle
