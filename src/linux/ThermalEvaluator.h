#pragma once

#include "platform/ThermalSource.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace corvelle {

// Turns one round of thermal readings into a pressure level, with a little memory so that the
// level does not flap around a threshold.
class ThermalEvaluator {
public:
    // One temperature with the limits that apply to it, all in °C.
    struct Sensor {
        double celsius = 0;
        std::optional<double> fair;      // passive trip point, or the core's control temperature
        std::optional<double> hot;       // hot trip point
        std::optional<double> critical;  // critical trip point, or the core's critical temperature
        bool alarm = false;              // the hardware's critical alarm
    };
    struct Readings {
        std::vector<Sensor> sensors;
        bool coolingEngaged = false;               // a non-fan cooling device is throttling
        std::optional<std::uint64_t> throttleCount;  // sum of the processors' throttle counters
        double time = 0;                           // seconds, monotonic
    };

    // A level below its threshold holds until the temperature is this far under it.
    static constexpr double kHysteresis = 2.0;
    // A rise of the throttle counters counts for this long.
    static constexpr double kThrottleHold = 10.0;
    // Within this distance of the critical temperature the state is critical.
    static constexpr double kCriticalMargin = 5.0;

    // Nominal; moderate at a fair limit or with cooling engaged; heavy after throttling;
    // trapping at a hot limit or near a critical one; sleeping at a critical limit or alarm.
    ThermalPressure evaluate(const Readings& readings);
    ThermalPressure level() const { return level_; }

private:
    static ThermalPressure levelAt(const Sensor& sensor, double celsius);
    ThermalPressure sensorLevel(const Sensor& sensor) const;
    bool throttledRecently(const Readings& readings);

    ThermalPressure level_ = ThermalPressure::nominal;
    std::optional<std::uint64_t> lastThrottleCount_;
    std::optional<double> lastThrottleRise_;
};

}  // namespace corvelle
