#pragma once

#include "model/AppGroup.h"
#include "util/SystemColor.h"

#include <string>

namespace corvelle {

// What one application group's row shows.
struct EnergyGroupRowContent {
    std::string name;
    std::string count;    // "(3)" from two processes, else empty
    double fraction = 0;  // of the bar: totalCPU over the row's scale, 0-1
    std::string cpu;      // "%.1f%%"
    std::string level;    // the energy level of maxEnergyImpact
    SystemColor levelColor = SystemColor::green;
    bool operator==(const EnergyGroupRowContent&) const = default;
};

// The row of `group` with a bar whose full width stands for `maxCPU`; no scale, an empty bar.
EnergyGroupRowContent energyGroupRowContent(const AppGroup& group, double maxCPU);

}  // namespace corvelle
