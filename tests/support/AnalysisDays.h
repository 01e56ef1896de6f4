#pragma once

#include "history/DailySnapshot.h"
#include <algorithm>
#include <string>

namespace corvelle::test {

// A day that is kind to the battery: never charged to full (peak 80 %), never hot, no deep
// discharge, 20 % drained, two hours sampled at 2 s, half of them on battery. Scores 100.
inline DailySnapshot kindDay(const std::string& date = "2025-06-01") {
    auto day = DailySnapshot::empty(date, 0);
    day.battery.maxPercent = 80;
    day.battery.totalDrainPercent = 20;
    day.battery.timeOnBatterySeconds = 3600;
    day.battery.timePluggedInSeconds = 3600;
    day.sampleCount = 3600;
    return day;
}

// Marks a day's samples as taken with a power meter, all in its noon hour.
inline DailySnapshot metered(DailySnapshot day) {
    auto& noon = day.hourlyFingerprints[12];
    noon.sampleCount = noon.meteredSamples = std::max<std::int64_t>(day.sampleCount, 1);
    return day;
}

// A kind day with a balanced workload, measured at 10 W: the "moderate" profile at 1.0.
inline DailySnapshot balancedDay(const std::string& date = "2025-06-01") {
    auto day = metered(kindDay(date));
    day.cpu.avgTotal = 27.5;
    day.power.avgSystemWatts = 10;
    day.memory.avgPressure = 40;
    return day;
}

}  // namespace corvelle::test
