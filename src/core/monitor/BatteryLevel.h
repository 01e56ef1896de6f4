#pragma once

#include "util/SystemColor.h"

// The battery thresholds the status-item icon and the battery card share.
namespace corvelle::BatteryLevel {

// The fill step of a battery symbol: 100 from 75 %, 75 from 50 %, 50 from 25 %, 25 from 10 %,
// otherwise 0.
int fillStep(double percent);
// The colour of the charge alone: red below 20 %, orange below 50 %, green from there.
SystemColor chargeColor(double percent);

}  // namespace corvelle::BatteryLevel
