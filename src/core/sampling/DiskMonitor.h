#pragma once

#include "model/DiskRates.h"
#include "platform/BlockStatsSource.h"
#include "sampling/RateMonitor.h"

namespace corvelle {

// Disk read and write rates since the previous call.
using DiskMonitor = RateMonitor<BlockStatsSource, DiskRates>;

}  // namespace corvelle
