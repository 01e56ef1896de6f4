#pragma once

#include "model/ConfidenceLevel.h"
#include "model/DegradationRate.h"
#include "model/HabitWarning.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace corvelle {

// The battery's wear fitted over its daily health readings.
struct BatteryHealthPrediction {
    // Health and cycles of the latest usable reading.
    double currentHealth = 0;
    std::int64_t currentCycles = 0;
    // Percent of health lost per charge cycle; the magnitude of the fitted slope.
    double healthDropPerCycle = 0;
    // Absent when health is not falling or the fitted line is already at 80 % or below.
    std::optional<std::int64_t> estimatedCyclesTo80;
    // Absent as well when the cycling pace cannot be measured.
    std::optional<std::int64_t> estimatedMonthsTo80;
    ConfidenceLevel confidenceLevel = ConfidenceLevel::low;
    DegradationRate degradationRate = DegradationRate::normal;
    std::vector<HabitWarning> habitWarnings;
    // Usable readings that went into the fit.
    std::int64_t dataPointCount = 0;

    bool operator==(const BatteryHealthPrediction&) const = default;
};

}  // namespace corvelle
