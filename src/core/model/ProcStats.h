#pragma once

#include <cstdint>
#include <string>

namespace corvelle {

// One process as sampled in a tick; identified by pid.
struct ProcStats {
    std::int32_t pid = 0;
    std::string name;
    double cpuPercent = 0;         // percent of one core since the previous tick, 0-999.9
    std::uint64_t memoryBytes = 0; // resident size
    std::int64_t threadCount = 0;
    double energyImpact = 0;       // cpuPercent x the tick's weighting factor
    // The application the session started it as (its desktop entry's name); empty when the
    // session does not say, and the process is then grouped by its own name.
    std::string appName{};
    bool operator==(const ProcStats&) const = default;
};

}  // namespace corvelle
