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

// A finite double property limited to 0..100.
std::optional<double> percentProperty(const PropertyDictionary& properties, std::string_view key) {
    const auto value = doubleProperty(properties, key);
    if (!value || !std::isfinite(*value)) return std::nullopt;
    return std::clamp(*value, 0.0, 100.0);
}

double ratioPercent(std::int64_t part, std::int64_t whole) {
    return std::min(static_cast<double>(part) / static_cast<double>(whole) * 100.0, 100.0);
}

// The driver's exact ratio, else CurrentCapacity above 0, else the raw ratio, else a
// CurrentCapacity of 0; absent when nothing says how full the battery is.
std::optional<double> percentageFrom(const PropertyDictionary& properties, const BatteryMonitor::Snapshot& s) {
    if (const auto exact = percentProperty(properties, "ChargePercent")) return exact;
    const auto current = integerProperty(properties, "CurrentCapacity");
    if (current && *current > 0) return std::min(static_cast<double>(*current), 100.0);
    if (s.rawCurrentCapacity && s.rawMaxCapacity && *s.rawMaxCapacity >= 1) {
        return std::max(ratioPercent(*s.rawCurrentCapacity, *s.rawMaxCapacity), 0.0);
    }
    if (current) return 0.0;
    return std::nullopt;
}

// The driver's own ratio, else the nominal over the design capacity (either standing in for the
// other's absence by the raw maximum); absent when neither is known.
std::optional<double> healthFrom(const PropertyDictionary& properties, const BatteryMonitor::Snapshot& s) {
    if (const auto exact = percentProperty(properties, "HealthPercent")) return exact;
    const auto nominal = integerProperty(properties, "NominalChargeCapacity");
    if (!nominal && !s.designCapacity) return std::nullopt;
    const auto full = nominal ? nominal : s.rawMaxCapacity;
    const auto design = s.designCapacity ? s.designCapacity : s.rawMaxCapacity;
    if (!full || !design || *design < 1) return std::nullopt;
    return ratioPercent(*full, *design);
}

// The estimate's correction for the charge level; an unknown level leaves it as it is.
double chargeLevelFactor(std::optional<double> percent) {
    if (!percent) return 1.0;
    if (*percent < 10) return 0.75;
    if (*percent < 15) return 0.85;
    if (*percent < 20) return 0.92;
    return *percent >= 95 ? 1.05 : 1.0;
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
    s.rawCurrentCapacity = integerProperty(properties, "AppleRawCurrentCapacity");
    s.rawMaxCapacity = integerProperty(properties, "AppleRawMaxCapacity");
    s.designCapacity = integerProperty(properties, "DesignCapacity");
    s.amperage = amperageFrom(properties);
    s.voltage = integerOr(properties, "Voltage", 0);
    s.cycleCount = integerOr(properties, "CycleCount", 0);
    s.isCharging = booleanProperty(properties, "IsCharging").value_or(false);
    s.isPluggedIn = booleanProperty(properties, "ExternalConnected").value_or(false);
    s.percentage = percentageFrom(properties, s);
    if (const std::string* level = stringProperty(properties, "ChargeLevel"); level && !s.percentage) {
        s.chargeLevel = chargeLevelFromRaw(*level);
    }
    s.adapterWatts = adapterWattsFrom(properties);
    const auto power = doubleProperty(properties, "PowerWatts");
    if (power && std::isfinite(*power) && *power >= 0) {
        s.watts = *power;
    } else {
        // In doubles: the product of two 64-bit readings may not fit in 64 bits.
        s.watts = static_cast<double>(s.voltage) * std::fabs(static_cast<double>(s.amperage)) / 1'000'000.0;
    }
    s.healthPercent = healthFrom(properties, s);
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
    const double remainingMAh = static_cast<double>(snapshot.rawCurrentCapacity.value_or(0));
    const double energyWh = *smoothedVoltage * remainingMAh / 1'000'000.0;
    if (energyWh <= 0) return 0;

    const double limited = rateLimited(energyWh / watts * 3600.0 * chargeLevelFactor(snapshot.percentage));
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
