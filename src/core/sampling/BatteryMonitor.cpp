#include "sampling/BatteryMonitor.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace corvelle {
namespace {

std::int64_t integerOr(const PropertyDictionary& properties, std::string_view key, std::int64_t fallback) {
    return integerProperty(properties, key).value_or(fallback);
}

// The most negative current has no magnitude in 64 bits: it counts as no reading.
std::int64_t amperageFrom(const PropertyDictionary& properties) {
    const std::int64_t amperage = integerOr(properties, "InstantAmperage", 0);
    return amperage == std::numeric_limits<std::int64_t>::min() ? 0 : amperage;
}

double percentageFrom(const PropertyDictionary& properties, std::int64_t rawCurrent, std::int64_t rawMax) {
    double percent = 0;
    if (const auto current = integerProperty(properties, "CurrentCapacity"); current && *current > 0) {
        percent = static_cast<double>(*current);
    } else if (rawMax >= 1) {
        percent = static_cast<double>(rawCurrent) / static_cast<double>(rawMax) * 100.0;
    }
    return std::min(percent, 100.0);
}

std::int64_t adapterWattsFrom(const PropertyDictionary& properties) {
    const PropertyDictionary* adapter = dictionaryProperty(properties, "AdapterDetails");
    return adapter ? integerOr(*adapter, "Watts", 0) : 0;
}

}  // namespace

BatteryMonitor::BatteryMonitor(std::unique_ptr<BatteryRegistry> registry, std::shared_ptr<const Clock> clock)
    : registry_(std::move(registry)), clock_(std::move(clock)) {}

std::optional<BatteryMonitor::Snapshot> BatteryMonitor::sample() const {
    if (!registry_) return std::nullopt;
    const auto properties = registry_->properties();
    if (!properties) return std::nullopt;
    return snapshotFrom(*properties);
}

BatteryMonitor::Snapshot BatteryMonitor::snapshotFrom(const PropertyDictionary& properties) {
    Snapshot s;
    s.rawCurrentCapacity = integerOr(properties, "AppleRawCurrentCapacity", 0);
    s.rawMaxCapacity = integerOr(properties, "AppleRawMaxCapacity", 1);
    const std::int64_t nominalCapacity = integerOr(properties, "NominalChargeCapacity", s.rawMaxCapacity);
    s.designCapacity = integerOr(properties, "DesignCapacity", s.rawMaxCapacity);
    s.amperage = amperageFrom(properties);
    s.voltage = integerOr(properties, "Voltage", 0);
    s.cycleCount = integerOr(properties, "CycleCount", 0);
    s.isCharging = booleanProperty(properties, "IsCharging").value_or(false);
    s.isPluggedIn = booleanProperty(properties, "ExternalConnected").value_or(false);
    s.percentage = percentageFrom(properties, s.rawCurrentCapacity, s.rawMaxCapacity);
    s.adapterWatts = adapterWattsFrom(properties);
    // In doubles: the product of two 64-bit readings may not fit in 64 bits.
    s.watts = static_cast<double>(s.voltage) * std::fabs(static_cast<double>(s.amperage)) / 1'000'000.0;
    s.healthPercent = s.designCapacity < 1 ? 100.0
                                           : std::min(static_cast<double>(nominalCapacity) /
                                                          static_cast<double>(s.designCapacity) * 100.0,
                                                      100.0);
    return s;
}

double BatteryMonitor::estimateTimeRemaining(const Snapshot& snapshot, double cpuUsage, double pollingInterval) {
    if (snapshot.isCharging || snapshot.isPluggedIn) {
        resetEstimationState();
        return 0;
    }
    ++sampleCount;
    const double cpuDelta = std::fabs(cpuUsage - lastCpuUsage);
    lastCpuUsage = cpuUsage;
    // Per-interval quantities are given for a 2-second tick.
    const double scale = pollingInterval * 0.5;

    const double watts = kalmanUpdate(medianFilter(snapshot.watts), cpuDelta, baseProcessNoise * scale);
    if (watts <= 0.1) return 0;

    const auto voltage = static_cast<double>(snapshot.voltage);
    if (!smoothedVoltage) {
        smoothedVoltage = voltage;
    } else {
        const double alpha = 1.0 - std::pow(1.0 - baseVoltageAlpha, scale);
        smoothedVoltage = alpha * voltage + (1.0 - alpha) * *smoothedVoltage;
    }
    const double energyWh = *smoothedVoltage * static_cast<double>(snapshot.rawCurrentCapacity) / 1'000'000.0;
    if (energyWh <= 0) return 0;

    double estimate = energyWh / watts * 3600.0;
    if (snapshot.percentage < 10) {
        estimate *= 0.75;
    } else if (snapshot.percentage < 15) {
        estimate *= 0.85;
    } else if (snapshot.percentage < 20) {
        estimate *= 0.92;
    } else if (snapshot.percentage >= 95) {
        estimate *= 1.05;
    }
    const double limited = rateLimited(estimate);
    if (sampleCount < warmupThreshold) return 0;
    // Written so that a value that is not a number gives the upper bound.
    const double capped = limited < maxEstimate ? limited : maxEstimate;
    return std::max(capped, minEstimate);
}

double BatteryMonitor::medianFilter(double value) {
    medianBuffer.push_back(value);
    if (medianBuffer.size() > medianWindowSize) medianBuffer.erase(medianBuffer.begin());
    std::vector<double> sorted = medianBuffer;
    std::sort(sorted.begin(), sorted.end());
    return sorted[sorted.size() / 2];
}

double BatteryMonitor::kalmanUpdate(double measured, double cpuDelta, double baseQ) {
    double q = baseQ;
    if (cpuDelta > 30) {
        q = baseQ * 10;
    } else if (cpuDelta > 15) {
        q = baseQ * 4;
    }
    if (!kalmanX) {
        kalmanX = measured;
        kalmanP = 10.0;
        return measured;
    }
    const double innovation = measured - *kalmanX;
    // Follow a rise of power more slowly than a fall.
    q *= innovation > 0 ? 0.3 : 1.5;
    const double p = kalmanP + q;
    const double gain = p / (p + measurementNoise);
    kalmanX = *kalmanX + innovation * gain;
    kalmanP = p * (1.0 - gain);
    return *kalmanX;
}

double BatteryMonitor::rateLimited(double value) {
    const double now = clock_->now();
    if (!lastPollTime) {
        lastPollTime = now;
        displayedEstimate = value;
        return value;
    }
    // A wall clock set backwards allows no change rather than inverting the limits.
    const double elapsed = std::max(now - *lastPollTime, 0.0);
    lastPollTime = now;
    const double limit = elapsed * maxChangeRatePerSecond;
    displayedEstimate += std::max(-limit, std::min(value - displayedEstimate, limit));
    return displayedEstimate;
}

void BatteryMonitor::resetEstimationState() {
    medianBuffer.clear();
    kalmanX.reset();
    kalmanP = 10.0;
    smoothedVoltage.reset();
    displayedEstimate = 0;
    lastPollTime.reset();
    sampleCount = 0;
    lastCpuUsage = 0;
}

}  // namespace corvelle
