#pragma once

#include "history/DailySnapshot.h"
#include "model/ProfileClassification.h"

#include <array>
#include <vector>

// Classifies the user from the last week of daily records. Stateless.
namespace corvelle::UsageProfileEngine {

// Averaged figures of the records the profiles are scored on; all 0 for no records.
struct AggregateMetrics {
    double avgCPU = 0;
    double peakCPU = 0;
    double avgPCore = 0;
    // Population standard deviation of the daily mean CPU.
    double cpuVariability = 0;
    double highCPUFraction = 0;
    double avgWatts = 0;
    double avgGPUWatts = 0;
    double avgMemoryPressure = 0;
    double thermalFraction = 0;
    // Twice the share of busy minutes in the category's applications, at most 1.
    double devShare = 0;
    double creativeShare = 0;
    double meetingShare = 0;
    // Distinct application names seen.
    double appDiversity = 0;
};

AggregateMetrics aggregateMetrics(const std::vector<DailySnapshot>& records);

// Scores from 0 to 1 in the case order of UsageProfile.
std::array<double, 6> profileScores(const AggregateMetrics& metrics);

// The best of the scores and the runner-up when it scored more than half as much; equal scores
// keep the case order. classifiedAt and daysAnalyzed are left at 0.
ProfileClassification rank(const std::array<double, 6>& scores);

// The best profile of the last seven records (oldest first) and a runner-up scoring more than
// half as much; "moderate" at 0.5 when there are no records. `now` is seconds since 1970.
ProfileClassification classify(const std::vector<DailySnapshot>& records, double now);

}  // namespace corvelle::UsageProfileEngine
