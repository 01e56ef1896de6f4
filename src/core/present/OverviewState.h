#pragma once

#include "history/BatteryHealthEntry.h"
#include "history/DailySnapshot.h"
#include "model/BatteryHealthPrediction.h"
#include "model/HabitScore.h"
#include "model/ProfileClassification.h"
#include "model/SystemStats.h"
#include "sampling/HistoryBuffer.h"

#include <cstddef>
#include <optional>
#include <vector>

namespace corvelle {

// What the overview's cards are drawn from, gathered once per refresh from the monitor and
// its store.
struct OverviewState {
    const SystemStats& stats;
    const HistoryBuffer<double>& cpuHistory;
    const std::optional<HabitScore>& habitScore;
    const std::optional<ProfileClassification>& profile;
    const std::optional<BatteryHealthPrediction>& prediction;
    const std::vector<BatteryHealthEntry>& healthEntries;
    // The store's last seven daily records, oldest first, and how many it holds in all.
    const std::vector<DailySnapshot>& week;
    std::size_t recordCount = 0;
    bool isDetailWindow = false;
    // The system clock shows hours 1-12 with AM/PM.
    bool twelveHour = false;
};

}  // namespace corvelle
