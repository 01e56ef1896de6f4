#pragma once

#include "model/ThermalLevel.h"
#include "platform/EventLoop.h"
#include "platform/ThermalSource.h"

#include <functional>
#include <memory>
#include <optional>

namespace corvelle {

// Watches the system's thermal pressure and reports it as a ThermalLevel.
class ThermalMonitor {
public:
    using Handler = std::function<void(ThermalLevel)>;

    // A null source is a machine without thermal information: its level is unknown.
    ThermalMonitor(std::unique_ptr<ThermalSource> source, std::shared_ptr<EventLoop> loop);
    ~ThermalMonitor();
    ThermalMonitor(const ThermalMonitor&) = delete;
    ThermalMonitor& operator=(const ThermalMonitor&) = delete;

    // Registers for pressure changes, replacing an earlier registration. onChange runs on the
    // loop's thread with the level at every notification and once right after registering.
    // When registration fails, the level stays as it was and onChange is never called.
    void start(Handler onChange);
    // Cancels the registration, if any.
    void stop();

    ThermalLevel currentState() const { return currentState_; }
    bool isRegistered() const { return notificationToken_ != 0; }
    // The system's coarse thermal state as a level: fair, serious and critical read as
    // moderate, heavy and trapping. Absent without a source or anything it could read.
    std::optional<ThermalLevel> systemLevel();

private:
    void updateLevel();

    std::shared_ptr<EventLoop> loop_;
    std::unique_ptr<ThermalSource> source_;
    int notificationToken_ = 0;
    ThermalLevel currentState_ = ThermalLevel::nominal;
    Handler onChange_;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace corvelle
