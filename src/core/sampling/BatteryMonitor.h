#pragma once

#include "model/ChargeLevel.h"
#include "platform/BatteryRegistry.h"
#include "platform/Clock.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace corvelle {

// Reads the battery controller and turns the noisy power draw into a steady time remaining.
class BatteryMonitor {
public:
    struct Snapshot {
        // mAh; absent where the battery gives no charge and no voltage to derive it from.
        std::optional<std::int64_t> rawCurrentCapacity;
        std::optional<std::int64_t> rawMaxCapacity;
        std::optional<std::int64_t> designCapacity;
        std::int64_t amperage = 0;            // mA, negative while discharging
        std::int64_t voltage = 0;             // mV
        std::int64_t cycleCount = 0;
        bool isCharging = false;
        bool isPluggedIn = false;
        std::optional<double> percentage;        // 0 to 100; absent when the battery reports none
        std::optional<ChargeLevel> chargeLevel;  // the coarse level of a battery without a percentage
        double watts = 0;                        // never negative
        std::int64_t adapterWatts = 0;
        std::optional<double> healthPercent;  // at most 100; absent without a design capacity
        bool operator==(const Snapshot&) const = default;
    };

    // A null registry is a machine without battery. The clock paces the estimate's changes.
    BatteryMonitor(std::unique_ptr<BatteryRegistry> registry, std::shared_ptr<const Clock> clock);

    // A stateless reading; absent without battery controller or properties. Any thread.
    std::optional<Snapshot> sample() const;
    // The reading that a property map describes; missing or mistyped properties take defaults.
    static Snapshot snapshotFrom(const PropertyDictionary& properties);

    // Seconds of battery life, 0 while no figure is to be shown.
    double estimateTimeRemaining(const Snapshot& snapshot, double cpuUsage, double pollingInterval);

    // Steps of the estimator, public so that each can be checked on its own.
    double medianFilter(double value);
    double kalmanUpdate(double measured, double cpuDelta, double baseQ);

private:
    void resetEstimationState();
    double rateLimited(double value);

    static constexpr size_t medianWindowSize = 5;
    static constexpr double measurementNoise = 4.0;
    static constexpr double baseProcessNoise = 0.5;
    static constexpr double baseVoltageAlpha = 0.02;
    static constexpr double maxChangeRatePerSecond = 120.0;
    static constexpr int warmupThreshold = 10;
    static constexpr double minEstimate = 600.0;
    static constexpr double maxEstimate = 72000.0;

    std::unique_ptr<BatteryRegistry> registry_;
    std::shared_ptr<const Clock> clock_;

    std::vector<double> medianBuffer;
    std::optional<double> kalmanX;
    double kalmanP = 10.0;
    std::optional<double> smoothedVoltage;
    double displayedEstimate = 0.0;
    std::optional<double> lastPollTime;
    int sampleCount = 0;
    double lastCpuUsage = 0.0;
};

}  // namespace corvelle
