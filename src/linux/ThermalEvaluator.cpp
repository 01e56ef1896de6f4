#include "linux/ThermalEvaluator.h"

#include <algorithm>

namespace corvelle {
namespace {

ThermalLevel higher(ThermalLevel a, ThermalLevel b) { return toRaw(a) >= toRaw(b) ? a : b; }
ThermalLevel lower(ThermalLevel a, ThermalLevel b) { return toRaw(a) <= toRaw(b) ? a : b; }

bool reached(const std::optional<double>& limit, double celsius) { return limit && celsius >= *limit; }

}  // namespace

ThermalLevel ThermalEvaluator::levelAt(const Sensor& sensor, double celsius) {
    if (sensor.alarm || reached(sensor.critical, celsius)) return ThermalLevel::sleeping;
    if (reached(sensor.hot, celsius) || (sensor.critical && celsius >= *sensor.critical - kCriticalMargin)) {
        return ThermalLevel::trapping;
    }
    if (reached(sensor.fair, celsius)) return ThermalLevel::moderate;
    return ThermalLevel::nominal;
}

// The level at the temperature, or the current level while it is within the hysteresis band.
ThermalLevel ThermalEvaluator::sensorLevel(const Sensor& sensor) const {
    return higher(levelAt(sensor, sensor.celsius), lower(level_, levelAt(sensor, sensor.celsius + kHysteresis)));
}

bool ThermalEvaluator::throttledRecently(const Readings& readings) {
    if (readings.throttleCount) {
        if (lastThrottleCount_ && *readings.throttleCount > *lastThrottleCount_) lastThrottleRise_ = readings.time;
        lastThrottleCount_ = readings.throttleCount;
    }
    return lastThrottleRise_ && readings.time - *lastThrottleRise_ < kThrottleHold;
}

ThermalLevel ThermalEvaluator::evaluate(const Readings& readings) {
    ThermalLevel next = readings.coolingEngaged ? ThermalLevel::moderate : ThermalLevel::nominal;
    if (throttledRecently(readings)) next = higher(next, ThermalLevel::heavy);
    for (const auto& sensor : readings.sensors) next = higher(next, sensorLevel(sensor));
    level_ = next;
    return next;
}

}  // namespace corvelle
