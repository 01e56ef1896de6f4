#pragma once

#include <string>

namespace corvelle {

// A process's current CPU use against its learnt baseline; identified by name.
struct ProcessComparison {
    std::string name;
    double currentCPU = 0;
    double baselineCPU = 0;
    double ratio = 0;  // currentCPU / baselineCPU
    bool operator==(const ProcessComparison&) const = default;
};

}  // namespace corvelle
