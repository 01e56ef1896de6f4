#pragma once

namespace corvelle {

// One local hour's mean power and CPU over recent days.
struct HourlyPeak {
    int hour = 0;  // 0 to 23
    double avgWatts = 0;
    double avgCPU = 0;

    bool operator==(const HourlyPeak&) const = default;
};

}  // namespace corvelle
