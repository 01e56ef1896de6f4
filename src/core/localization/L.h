#pragma once

#include "model/ChargeLevel.h"
#include "model/ThermalLevel.h"

#include <cstdint>
#include <optional>
#include <string>

// The text catalogue, general area. Every member returns the text in the current language.
// Other areas (tips, facts, explainers, analysis) add their members in their own headers.
namespace corvelle::L {

std::string chargingWithWatts(const std::string& watts);
std::string chargingWithAdapterWatts(const std::string& watts, const std::string& adapter);
std::string pluggedInWithWatts(const std::string& watts);
std::string remaining(const std::string& time);
std::string drawing(const std::string& watts);
std::string cycles(std::int64_t count);
std::string cyclesLabel(std::int64_t count);
std::string userCPU(const std::string& percent);
std::string systemCPU(const std::string& percent);
std::string secondsAgo(std::int64_t seconds);
std::string alsoProfile(const std::string& profile);
std::string dayTrend(std::int64_t days, const std::string& change);
std::string batteryMayReach80(std::int64_t months);
std::string quietest(const std::string& name);
// What the history tab's energy chart shows: 0 live, 1 today, 2 week, other all history.
std::string energyRangeDesc(std::int64_t range, std::int64_t pollingInterval);

std::string thermalLevelLabel(ThermalLevel level);
std::string thermalDescription(ThermalLevel level);
std::string fanIndex(std::int64_t index);

// State labels of the battery icon.
std::string batteryStateCharging();
std::string batteryStatePluggedIn();
std::string batteryStateBattery();
// The coarse charge of a battery that reports no percentage, where the percentage would stand.
std::string chargeLevelLabel(ChargeLevel level);
// The charge as the title, cards and alerts show it: "62%", the level in words, or "--".
std::string chargeText(const std::optional<double>& percent, const std::optional<ChargeLevel>& level);

}  // namespace corvelle::L
