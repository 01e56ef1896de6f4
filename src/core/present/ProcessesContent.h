#pragma once

#include "model/ProcStats.h"
#include "util/SystemColor.h"

#include <string>
#include <vector>

// What the processes tab shows, computed without any display: one row's texts and colours (the
// order is ProcessOrder's).
namespace corvelle::ProcessesContent {

// Under 5 %: secondary; under 25 %: primary; under 50 %: orange; 50 % or more, or negative: red.
SystemColor cpuColor(double cpuPercent);

struct Row {
    std::string name;
    std::string pid;  // "PID 4021"; empty for the kernel row
    std::string cpu;  // "%.1f%%"
    SystemColor cpuColor = SystemColor::secondary;
    std::string memory;  // bytesString
    double energyFraction = 0;  // of the bar, full at an impact of 100
    std::string energyLabel;
    SystemColor energyColor = SystemColor::green;
    bool operator==(const Row&) const = default;
};
Row row(const ProcStats& process);

}  // namespace corvelle::ProcessesContent
