#include "linux/RaplEnergySource.h"

#include "linux/TextFile.h"

#include <algorithm>

namespace corvelle {
namespace {

namespace fs = std::filesystem;

std::optional<std::uint64_t> readCounter(const fs::path& file) {
    const auto text = TextFile::readTrimmed(file);
    return text ? TextFile::parseUnsigned(*text) : std::nullopt;
}

// A sample holds each domain's counter under its index: {"counters": [µJ or absent ...]}.
// Absent counters are stored as -1.
const PropertyArray* counters(const PropertyDictionary& sample) { return arrayProperty(sample, "counters"); }

}  // namespace

RaplEnergySource::RaplEnergySource(fs::path root) : root_(std::move(root)) {}

std::optional<std::string> RaplEnergySource::channelName(std::string_view domainName) {
    if (domainName == "core") return "CPU Energy";
    if (domainName == "uncore") return "GPU Energy";
    if (domainName == "dram") return "DRAM Energy";
    return std::nullopt;
}

std::optional<std::uint64_t> RaplEnergySource::usedEnergy(std::uint64_t previous, std::uint64_t current,
                                                          std::uint64_t range) {
    // Beyond the range a reading is garbage, not a count.
    if (range != 0 && (previous > range || current > range)) return std::nullopt;
    if (current >= previous) return current - previous;
    if (range == 0) return std::nullopt;
    return range - previous + current;
}

std::optional<std::int64_t> RaplEnergySource::usedMillijoules(std::uint64_t previous, std::uint64_t current,
                                                              std::uint64_t range) {
    const auto used = usedEnergy(previous, current, range);
    if (!used) return std::nullopt;
    // Rounded without adding first: a reading near the top of the range must not wrap around.
    return static_cast<std::int64_t>(*used / 1000 + (*used % 1000 >= 500 ? 1 : 0));
}

bool RaplEnergySource::subscribe() {
    std::vector<fs::path> zones;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(root_ / "sys/class/powercap", error)) {
        if (entry.path().filename().string().starts_with("intel-rapl")) zones.push_back(entry.path());
    }
    std::sort(zones.begin(), zones.end());
    domains_.clear();
    for (const auto& zone : zones) {
        const auto name = TextFile::readTrimmed(zone / "name");
        const auto channel = name ? channelName(*name) : std::nullopt;
        if (!channel || !readCounter(zone / "energy_uj")) continue;
        domains_.push_back({zone / "energy_uj", *channel, readCounter(zone / "max_energy_range_uj").value_or(0)});
    }
    return !domains_.empty();
}

std::optional<PropertyDictionary> RaplEnergySource::createSample() {
    PropertyArray values;
    bool any = false;
    for (const auto& domain : domains_) {
        const auto counter = readCounter(domain.counter);
        any = any || counter;
        values.emplace_back(counter ? static_cast<std::int64_t>(*counter) : -1);
    }
    if (!any) return std::nullopt;
    return PropertyDictionary{{"counters", std::move(values)}};
}

std::optional<PropertyDictionary> RaplEnergySource::createSamplesDelta(const PropertyDictionary& previous,
                                                                       const PropertyDictionary& current) {
    const PropertyArray* before = counters(previous);
    const PropertyArray* after = counters(current);
    if (!before || !after || before->size() != domains_.size() || after->size() != domains_.size()) {
        return std::nullopt;
    }
    PropertyArray channels;
    for (size_t i = 0; i < domains_.size(); ++i) {
        const auto* from = (*before)[i].as<std::int64_t>();
        const auto* to = (*after)[i].as<std::int64_t>();
        if (!from || !to || *from < 0 || *to < 0) continue;
        const auto used = usedMillijoules(static_cast<std::uint64_t>(*from), static_cast<std::uint64_t>(*to),
                                          domains_[i].range);
        if (!used) continue;
        channels.emplace_back(PropertyDictionary{{"name", domains_[i].channel}, {"value", *used}});
    }
    return PropertyDictionary{{"IOReportChannels", std::move(channels)}};
}

}  // namespace corvelle
