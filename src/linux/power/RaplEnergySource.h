#pragma once

#include "platform/EnergyReportSource.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvelle {

// Energy counters of the RAPL power-capping domains in /sys/class/powercap: "core" is the
// CPU channel, "uncore" the GPU and "dram" the memory channel; package and platform domains
// overlap those and are left out. Counters are in µJ and wrap at their range; the delta is
// in mJ. Where only root may read the counters, the power service's copy of them is read
// instead, and the delta carries the time between the service's two readings. A machine with
// such domains is subscribed even while neither can be read ("locked"): the service may start.
class RaplEnergySource : public EnergyReportSource {
public:
    explicit RaplEnergySource(std::filesystem::path root = "/");

    bool subscribe() override;
    std::optional<PropertyDictionary> createSample() override;
    std::optional<PropertyDictionary> createSamplesDelta(const PropertyDictionary& previous,
                                                         const PropertyDictionary& current) override;
    std::string meterName() const override { return meter_; }

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
    struct Channel {
        std::string zone;     // "intel-rapl:0:0"
        std::string name;     // "CPU Energy", "GPU Energy" or "DRAM Energy"
        std::uint64_t range;  // 0 when unknown
        std::filesystem::path counter;  // its energy_uj
    };

    std::optional<PropertyDictionary> sampleSysfs();
    std::optional<PropertyDictionary> sampleCopy();

    std::filesystem::path root_;
    std::vector<Channel> channels_;
    bool readable_ = false;  // the counters themselves can be read: no copy needed
    std::string meter_ = "none";
    std::string text_;       // reused for each read
};

}  // namespace corvelle
