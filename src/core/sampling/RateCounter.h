#pragma once

#include <cstdint>
#include <optional>
#include <utility>

namespace corvelle {

// Turns two cumulative byte counters into per-second rates over the uptime elapsed since the
// previous call. The first call only records a baseline. A counter that went backwards gives 0.
class RateCounter {
public:
    using Rates = std::pair<std::uint64_t, std::uint64_t>;

    std::optional<Rates> update(std::uint64_t first, std::uint64_t second, double now);

private:
    std::uint64_t previousFirst_ = 0;
    std::uint64_t previousSecond_ = 0;
    double previousTimestamp_ = 0;  // 0 = no earlier sample
};

}  // namespace corvelle
