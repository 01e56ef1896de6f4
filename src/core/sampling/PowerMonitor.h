#pragma once

#include "model/PowerMeter.h"
#include "model/PowerReading.h"
#include "sampling/IOReportService.h"

#include <optional>

namespace corvelle {

// The per-tick power reading: the figures of an energy sample and their total.
class PowerMonitor {
public:
    using Snapshot = PowerReading;

    explicit PowerMonitor(IOReportService ioReport) : ioReport_(std::move(ioReport)) {}

    std::optional<Snapshot> sample();
    // The meter behind the latest sample; none on a machine without an energy counter, where
    // there will never be a sample.
    PowerMeter meter() const { return powerMeterFromRaw(ioReport_.meterName()).value_or(PowerMeter::none); }
    // The latest sample there was; absent before the first.
    const std::optional<Snapshot>& latest() const { return latest_; }

private:
    IOReportService ioReport_;
    std::optional<Snapshot> latest_;
};

}  // namespace corvelle
