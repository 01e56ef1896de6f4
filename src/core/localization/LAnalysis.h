#pragma once

#include "model/ConfidenceLevel.h"
#include "model/DegradationRate.h"
#include "model/TipContent.h"
#include "model/UsageProfile.h"

#include <string>

// The text catalogue, analysis results: health prediction, habit warnings, habit score and
// usage profile. Figures arrive formatted.
namespace corvelle::L {

std::string degradationRateName(DegradationRate rate);
std::string confidenceLevelName(ConfidenceLevel level);

// Habit warnings of the health prediction; avgTemp in °C and avgWatts in W, formatted "%.0f".
TipContent tipHabitRunningHot(const std::string& avgTemp);
TipContent tipHabitHeavyDischarge(const std::string& avgWatts);

// Display name of a sub-score's fixed English label; any other label is returned unchanged.
std::string subScoreLabel(const std::string& label);
// "Excellent", "Good", "Fair" or "Poor" for a sub-score's share of its points.
std::string subScoreRating(double fraction);
// Advice for a sub-score by its label and whether it is good; empty for any other label.
std::string subScoreReason(const std::string& label, bool isGood);

std::string usageProfileName(UsageProfile profile);
std::string usageProfileDescription(UsageProfile profile);

}  // namespace corvelle::L
