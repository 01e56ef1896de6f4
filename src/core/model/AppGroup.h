#pragma once

#include <cstdint>
#include <string>

namespace corvelle {

// The processes of one application (its session application name, else its process name); identified by name.
struct AppGroup {
    std::string name;
    double totalCPU = 0;
    std::uint64_t totalMemory = 0;
    std::int64_t processCount = 0;
    double maxEnergyImpact = 0;
    bool operator==(const AppGroup&) const = default;
};

}  // namespace corvelle
