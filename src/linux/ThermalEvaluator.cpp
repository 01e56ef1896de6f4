#include "linux/ThermalEvaluator.h"

#include <algorithm>

namespace corvelle {
namespace {

bool reached(const std::optional<double>& limit, double celsius) { return limit && celsius >= *limit; }

}  // namespace

ThermalPressure ThermalEvaluator::levelAt(const Sensor& sensor, double celsius) {
    if (sensor.alarm || reached(sensor.critical, celsius)) return ThermalPressure::sleeping;
    if (reached(sensor.hot, celsius) || (sensor.critical && celsius >= *sensor.critical - kCriticalMargin)) {
        return ThermalPressure::trapping;
    }
    if (reached(sensor.fair, celsius)) return ThermalPressure::moderate;
    return ThermalPressure::nominal;
}

// The level at the temperature, or the current level while it is within the hysteresis band.
ThermalPressure ThermalEvaluator::sensorLevel(const Sensor& sensor) const {
    return std::max(levelAt(sensor, sensor.celsius), std::min(level_, levelAt(sensor, sensor.celsius + kHysteresis)));
}

bool ThermalEvaluator::throttledRecently(const Readings& readings) {
    if (readings.throttleCount) {
        if (lastThrottleCount_ && *readings.throttleCount > *lastThrottleCount_) lastThrottleRise_ = readings.time;
        lastThrottleCount_ = readings.throttleCount;
    }
    return lastThrottleRise_ && readings.time - *lastThrottleRise_ < kThrottleHold;
}

ThermalPressure ThermalEvaluator::evaluate(const Readings& readings) {
    ThermalPressure next = readings.coolingEngaged ? ThermalPressure::moderate : ThermalPressure::nominal;
    if (throttledRecently(readings)) next = std::max(next, ThermalPressure::heavy);
    for (const auto& sensor : readings.sensors) next = std::max(next, sensorLevel(sensor));
    level_ = next;
    return next;
}

}  // namespace corvelle
