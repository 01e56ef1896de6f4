#pragma once

#include "history/DailySnapshot.h"
#include "model/HourlyPeak.h"

#include <vector>

namespace corvelle {

// The hours of the day that had power readings in `records`, each with the mean of its hourly
// means over the days, busiest (most watts) first; equal watts keep hour order.
std::vector<HourlyPeak> findPeakHours(const std::vector<DailySnapshot>& records);

}  // namespace corvelle
