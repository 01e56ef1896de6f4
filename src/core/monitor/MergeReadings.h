#pragma once

#include "model/SystemStats.h"
#include "monitor/TickReadings.h"

namespace corvelle {

// The snapshot after a tick: `previous` with this tick's readings laid over it. Every absent
// reading keeps the previous figures of its fields, except the power figures once no meter is
// read any more: they are cleared. Hidden ticks keep the process list of the
// last visible tick; the application groups follow every tick.
SystemStats mergeReadings(SystemStats previous, const TickReadings& readings, bool visible);

}  // namespace corvelle
