#pragma once

#include "history/UsageHistory.h"
#include "history/UsageStore.h"
#include "model/SystemStats.h"
#include "support/StatsBuilder.h"

#include <string>

namespace corvelle::test {

// A busy tick: CPU, memory, measured power, a battery cycling between 20 % and 100 %, a thermal spell
// and `apps` application groups.
inline SystemStats busyStats(int tick, int apps) {
    const auto power = (tick / 81) % 2 == 1 ? Power::charging : Power::battery;
    SystemStats stats = StatsBuilder().cpu(5 + tick % 60).battery(20 + tick % 81, power, 3 + tick % 15);
    stats.eCoreAverage = 3 + tick % 20;
    stats.pCoreAverage = 7 + tick % 50;
    stats.memoryPressure = 30 + tick % 40;
    stats.memoryUsed = (8ULL << 30) + static_cast<unsigned long long>(tick % 100) * (1ULL << 24);
    stats.totalPowerWatts = 4 + tick % 25;
    stats.powerMeter = PowerMeter::sysfs;
    stats.gpuPowerWatts = tick % 6;
    stats.thermalLevel = tick % 17 == 0 ? ThermalLevel::moderate : ThermalLevel::nominal;
    stats.pCoreTemp = 45 + tick % 30;
    for (int app = 0; app < apps; ++app) {
        stats.appGroups.push_back({"Application " + std::to_string(app), 0.5 + (tick + app) % 12});
    }
    return stats;
}

// `days` consecutive daily records ending on the local day of `lastDay`, each folded from
// samplesPerDay samples spread over the day.
inline UsageHistory busyHistory(double lastDay, int days, int apps = 30, int samplesPerDay = 96) {
    UsageHistory history;
    const double interval = 86400.0 / samplesPerDay;
    for (int day = days - 1; day >= 0; --day) {
        const double start = lastDay - day * 86400.0 - 43200.0;
        auto record = DailySnapshot::empty(UsageStore::dateString(start + 43200.0), start);
        for (int sample = 0; sample < samplesPerDay; ++sample) {
            record.fold(busyStats(sample + day, apps), interval, start + sample * interval);
        }
        history.dailySnapshots.push_back(record);
    }
    return history;
}

}  // namespace corvelle::test
