#pragma once

#include "model/AppGroup.h"
#include "model/BatteryHealthPrediction.h"
#include "model/BatteryTip.h"
#include "model/HabitScore.h"
#include "model/ProfileClassification.h"
#include "model/SystemStats.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// Turns the live snapshot and the latest analysis results into at most six ranked tips, most
// important first. Stateless; texts in the current language.
namespace corvelle::BatteryTipsEngine {

// The battery care controls this machine offers; the tips point to them only where they exist.
struct CareControls {
    bool powerModes = false;   // the power-saving tip mentions the power mode control
    bool chargeLimit = false;  // the charging-to-100 % tip mentions the charge limit control
};

std::vector<BatteryTip> generate(const SystemStats& stats, const std::optional<ProfileClassification>& profile,
                                 const std::optional<BatteryHealthPrediction>& prediction,
                                 const std::optional<HabitScore>& habitScore, CareControls controls = {});

// "AppA (40%), AppB (22%) and AppC (8%)": the first groups above 5 % CPU, in the given order.
std::string topOffendersList(const std::vector<AppGroup>& groups, std::size_t limit, std::size_t coreCount = 1);
// "AppA (2.1 GB) and AppB (512.0 MB)": the groups holding the most memory, above 100 MiB.
std::string topMemoryUsersList(const std::vector<AppGroup>& groups, std::size_t limit);

}  // namespace corvelle::BatteryTipsEngine
