#pragma once

#include "platform/EnergyReportSource.h"

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvelle {

// Energy counters of the RAPL power-capping domains in /sys/class/powercap: "core" is the
// CPU channel, "uncore" the GPU and "dram" the memory channel; package and platform domains
// overlap those and are left out. Counters are in µJ and wrap at their range; the delta is
// in mJ. Counters that cannot be read (root-only on many kernels) give no subscription.
class RaplEnergySource : public EnergyReportSource {
public:
    struct Domain {
        std::filesystem::path counter;  // energy_uj
        std::string channel;            // "CPU Energy", "GPU Energy" or "DRAM Energy"
        std::uint64_t range = 0;        // max_energy_range_uj; 0 when unknown
    };

    explicit RaplEnergySource(std::filesystem::path root = "/");

    bool subscribe() override;
    std::optional<PropertyDictionary> createSample() override;
    std::optional<PropertyDictionary> createSamplesDelta(const PropertyDictionary& previous,
                                                         const PropertyDictionary& current) override;

    // The channel of a domain name; absent for domains that are not channels.
    static std::optional<std::string> channelName(std::string_view domainName);
    // Energy used between two counter readings in µJ, across one wrap at `range` (0: unknown);
    // absent when the counter went back without a known range, or a reading exceeds the range.
    static std::optional<std::uint64_t> usedEnergy(std::uint64_t previous, std::uint64_t current,
                                                   std::uint64_t range);
    // The same in mJ, rounded.
    static std::optional<std::int64_t> usedMillijoules(std::uint64_t previous, std::uint64_t current,
                                                       std::uint64_t range);

private:
    std::filesystem::path root_;
    std::vector<Domain> domains_;
};

}  // namespace corvelle
