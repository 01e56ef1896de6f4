#pragma once

#include "model/BatteryHealthPrediction.h"
#include "model/HabitScore.h"
#include "model/ProfileClassification.h"
#include "model/SystemStats.h"

#include "support/StatsBuilder.h"

#include <cmath>
#include <optional>

namespace corvelle::test {

// A charging laptop with every kind of figure, a garbage GPU reading, awkward application names
// (quotes, a backslash, two that read the same once their bad UTF-8 is repaired) and daily results.
struct MetricsFigures {
    SystemStats stats = laptop();
    std::optional<BatteryHealthPrediction> prediction = [] {
        BatteryHealthPrediction p;
        p.estimatedCyclesTo80 = 410;
        p.estimatedMonthsTo80 = 18;
        return p;
    }();
    std::optional<HabitScore> habits = HabitScore{80, "B", {20, 25, "Charging", "good"}, {25, 25, "Thermal", "good"},
                                                  {10, 25, "Discharge", "deep"}, {25, 25, "Plug Balance", "good"}};
    std::optional<ProfileClassification> profile =
        ProfileClassification{UsageProfile::powerUser, 0.75, UsageProfile::developer, 0.5, 0, 7};

    static SystemStats laptop() {
        SystemStats s = StatsBuilder().battery(62, Power::charging, 9.5).cores(4, 4).memory(6 << 20, 16 << 20);
        s.batteryHealthPercent = 90;
        s.batteryDesignCapacityMAh = 5000;
        s.batteryMaxCapacityMAh = 4500;
        s.batteryCycleCount = 312;
        s.batteryAdapterWatts = 65;
        s.pCoreTemp = 55.5;
        s.thermalLevel = ThermalLevel::nominal;
        s.gpuTemp = NAN;
        s.fanSpeeds = {0, 2400};
        s.cpuPowerWatts = 4.25;
        s.powerMeter = PowerMeter::service;
        s.appGroups = {{"Fire\"fox\\", 250.0, 0, 3, 0}, {"bad\xff", 12.5, 0, 1, 0}, {"bad\xfe", 10, 0, 1, 0}};
        return s;
    }
};

}  // namespace corvelle::test
