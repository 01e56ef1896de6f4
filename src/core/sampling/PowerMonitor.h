#pragma once

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
    // The latest sample there was; absent before the first.
    const std::optional<Snapshot>& latest() const { return latest_; }
    // False on a machine without an energy counter: there will never be a sample.
    bool hasMeter() const { return ioReport_.isSubscribed(); }

private:
    IOReportService ioReport_;
    std::optional<Snapshot> latest_;
};

}  // namespace corvelle
