#pragma once

#include "sampling/IOReportService.h"

#include <optional>

namespace corvelle {

// The per-tick power reading: the four figures of an energy sample and their total.
class PowerMonitor {
public:
    struct Snapshot {
        IOReportService::PowerSample sample;
        double total = 0;  // W, the sum of the four figures
        bool operator==(const Snapshot&) const = default;
    };

    explicit PowerMonitor(IOReportService ioReport) : ioReport_(std::move(ioReport)) {}

    std::optional<Snapshot> sample();
    // False on a machine without an energy counter: there will never be a sample.
    bool hasMeter() const { return ioReport_.isSubscribed(); }

private:
    IOReportService ioReport_;
};

}  // namespace corvelle
