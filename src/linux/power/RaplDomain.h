#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvelle {

// One RAPL power-capping domain of /sys/class/powercap: its zone ("intel-rapl:0:1"), its name
// ("uncore"), its cumulative energy counter in µJ and the value at which the counter wraps.
// Names and ranges are readable by every user; since Linux 5.10 the counters only by root.
struct RaplDomain {
    std::string zone;
    std::string name;
    std::optional<std::uint64_t> counter;  // energy_uj; absent when it cannot be read or is garbage
    std::uint64_t range = 0;               // max_energy_range_uj; 0 when unknown

    bool operator==(const RaplDomain&) const = default;

    // The domains below `root`, in zone order. Zones with a name that is not plain, and counters
    // beyond their range, are left out.
    static std::vector<RaplDomain> list(const std::filesystem::path& root);
    // "intel-rapl:0", "intel-rapl:0:2", "intel-rapl-mmio:0".
    static bool isZone(std::string_view text);
    // "package-0", "core", "psys": letters, digits, '-' and '_', at most 32 of them.
    static bool isName(std::string_view text);
    // A counter reading: the whole number a counter file holds, absent beyond a known range.
    static std::optional<std::uint64_t> counterValue(std::string_view text, std::uint64_t range);
};

}  // namespace corvelle
