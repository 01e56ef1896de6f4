#pragma once

#include "model/BatteryHealthPrediction.h"
#include "model/HabitScore.h"
#include "model/ProfileClassification.h"
#include "model/SystemStats.h"

#include <optional>
#include <string>

// The live figures and the daily results in the Prometheus text exposition format (version
// 0.0.4), for a node exporter's textfile collector or a Pushgateway. Every family is a gauge
// named corvelle_* with its base unit in the name (ratios 0 to 1, bytes, seconds, watts, degrees
// Celsius, coulombs) and HELP and TYPE lines. A figure the machine does not have is left out
// with its family, by the same rules as the snapshot JSON; so is a figure that is not a finite
// number. No timestamps: both collectors refuse or overwrite them.
namespace corvelle::PrometheusExposition {

// How many of the busiest application groups are listed.
inline constexpr size_t appGroupCount = 5;

struct Figures {
    const SystemStats& stats;
    const std::optional<BatteryHealthPrediction>& healthPrediction;
    const std::optional<HabitScore>& habitScore;
    const std::optional<ProfileClassification>& usageProfile;
};

std::string compose(const Figures& figures);

// The text as a label value: UTF-8 repaired, backslash, double quote and line feed escaped.
std::string labelValue(std::string_view text);

}  // namespace corvelle::PrometheusExposition
