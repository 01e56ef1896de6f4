#pragma once

#include "model/SystemStats.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace corvelle::test {

// How the battery of a built snapshot is powered.
enum class Power { battery, pluggedIn, charging };

// A snapshot set up in one expression: StatsBuilder().battery(80, Power::charging).cpu(12.5).
// Every field it does not set keeps its default; it converts to SystemStats where one is needed.
struct StatsBuilder {
    SystemStats stats;

    StatsBuilder& battery(double percent, Power power = Power::battery, double watts = 0) {
        stats.batteryPercentage = percent;
        stats.batteryIsPresent = true;
        stats.batteryIsPluggedIn = power != Power::battery;
        stats.batteryIsCharging = power == Power::charging;
        stats.batteryWatts = watts;
        return *this;
    }
    StatsBuilder& cpu(double totalUsage) {
        stats.cpuTotalUsage = totalUsage;
        return *this;
    }
    // `efficiency` E-cores and `performance` P-cores, all idle.
    StatsBuilder& cores(std::size_t efficiency, std::size_t performance) {
        stats.eCoreUsages.resize(efficiency);
        stats.pCoreUsages.resize(performance);
        stats.coreUsages.resize(efficiency + performance);
        return *this;
    }
    StatsBuilder& memory(std::uint64_t used, std::uint64_t total) {
        stats.memoryUsed = used;
        stats.memoryTotal = total;
        return *this;
    }
    StatsBuilder& apps(std::vector<AppGroup> groups) {
        stats.appGroups = std::move(groups);
        return *this;
    }

    operator SystemStats() const { return stats; }
};

}  // namespace corvelle::test
