#include "app/qt/QtEventLoop.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace corvelle {

QtEventLoop::QtEventLoop() { context_.moveToThread(QCoreApplication::instance()->thread()); }

QtEventLoop::~QtEventLoop() {
    for (auto& [id, timer] : timers_) delete timer;
}

void QtEventLoop::post(std::function<void()> fn) {
    QMetaObject::invokeMethod(&context_, std::move(fn), Qt::QueuedConnection);
}

TimerId QtEventLoop::start(double seconds, bool singleShot, std::function<void()> fn) {
    const TimerId id = nextId_++;
    auto* timer = new QTimer();
    timer->setTimerType(Qt::PreciseTimer);
    timer->setSingleShot(singleShot);
    const double milliseconds = std::isfinite(seconds) ? std::clamp(seconds * 1000.0, 0.0, 2.0e9) : 2.0e9;
    timer->setInterval(static_cast<int>(milliseconds));
    QObject::connect(timer, &QTimer::timeout, &context_, [this, id, singleShot, fn = std::move(fn)] {
        if (singleShot) cancel(id);
        fn();
    });
    timers_[id] = timer;
    timer->start();
    return id;
}

TimerId QtEventLoop::startRepeating(double intervalSeconds, std::function<void()> fn) {
    return start(intervalSeconds, false, std::move(fn));
}

TimerId QtEventLoop::startSingleShot(double delaySeconds, std::function<void()> fn) {
    return start(delaySeconds, true, std::move(fn));
}

void QtEventLoop::cancel(TimerId id) {
    auto found = timers_.find(id);
    if (found == timers_.end()) return;
    found->second->stop();
    found->second->deleteLater();
    timers_.erase(found);
}

}  // namespace corvelle
