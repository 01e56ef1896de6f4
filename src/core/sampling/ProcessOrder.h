#pragma once

#include "model/ProcStats.h"
#include "platform/SortKeys.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace corvelle {

// How a process list is ordered: by one column, figures largest first and names from A to Z,
// or, reversed, the other way round.
struct ProcessOrder {
    enum class Key { cpu, memory, name, energy };
    Key key = Key::cpu;
    bool reversed = false;
    bool operator==(const ProcessOrder&) const = default;

    // What a process is ordered by; nameKey is its name's sort key.
    struct Values {
        double cpuPercent;
        std::uint64_t memoryBytes;
        double energyImpact;
        std::string_view nameKey;
    };
    // True when a goes strictly before b; equal values are left to the caller (the incoming
    // order). A figure that is not a number counts as the lowest.
    bool before(const Values& a, const Values& b) const;
};

// The key a name is ordered by: keys' one, or the name itself without keys.
std::string nameSortKey(const SortKeys* keys, std::string_view name);

// The processes in order; equal values keep the incoming order.
std::vector<ProcStats> ordered(std::vector<ProcStats> processes, const ProcessOrder& order, const SortKeys* keys);

}  // namespace corvelle
