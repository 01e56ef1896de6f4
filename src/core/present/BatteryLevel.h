#pragma once

#include "model/ChargeLevel.h"
#include "util/SystemColor.h"

#include <optional>

// The battery thresholds the status-item icon and the battery card share.
namespace corvelle::BatteryLevel {

// The fill step of a battery symbol: 100 from 75 %, 75 from 50 %, 50 from 25 %, 25 from 10 %,
// otherwise 0.
int fillStep(double percent);
// The colour of the charge alone: red below 20 %, orange below 50 %, green from there.
SystemColor chargeColor(double percent);
// The charge a symbol is drawn at: the percentage, else the middle of a coarse level's band;
// absent when neither is known. Never shown as a figure.
std::optional<double> symbolPercent(const std::optional<double>& percent, const std::optional<ChargeLevel>& level);

}  // namespace corvelle::BatteryLevel
