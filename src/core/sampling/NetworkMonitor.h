#pragma once

#include "model/NetworkRates.h"
#include "platform/NetStatsSource.h"
#include "sampling/RateMonitor.h"

namespace corvelle {

// Network receive and send rates since the previous call.
using NetworkMonitor = RateMonitor<NetStatsSource, NetworkRates>;

}  // namespace corvelle
