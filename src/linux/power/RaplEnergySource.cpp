#include "linux/power/RaplEnergySource.h"

#include "linux/TextFile.h"
#include "linux/power/PowerServiceCopy.h"
#include "linux/power/RaplDomain.h"

#include <algorithm>

namespace corvelle {
namespace {

namespace fs = std::filesystem;

// A sample: {"meter": "sysfs" or "service", "counters": [µJ or -1 per channel]} and, for the
// service's copy, "time": when the service read them.
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

// The channels come from sysfs, whose names any user may read; where there are none (a folder
// that hides /sys), from the service's copy.
bool RaplEnergySource::subscribe() {
    auto domains = RaplDomain::list(root_);
    if (domains.empty()) {
        if (TextFile::read(root_ / PowerServiceCopy::kFile, text_)) {
            if (auto copy = PowerServiceCopy::parse(text_)) domains = std::move(copy->domains);
        }
    } else {
        readable_ = std::any_of(domains.begin(), domains.end(),
                                [](const RaplDomain& d) { return channelName(d.name) && d.counter; });
    }
    channels_.clear();
    for (const auto& domain : domains) {
        if (const auto channel = channelName(domain.name)) {
            const auto counter = root_ / "sys/class/powercap" / domain.zone / "energy_uj";
            channels_.push_back({domain.zone, *channel, domain.range, counter});
        }
    }
    meter_ = channels_.empty() ? "none" : "locked";
    return !channels_.empty();
}

std::optional<PropertyDictionary> RaplEnergySource::createSample() {
    auto sample = readable_ ? sampleSysfs() : sampleCopy();
    meter_ = sample ? *stringProperty(*sample, "meter") : "locked";
    return sample;
}

std::optional<PropertyDictionary> RaplEnergySource::sampleSysfs() {
    PropertyArray values;
    bool any = false;
    for (const auto& channel : channels_) {
        const auto counter =
            TextFile::read(channel.counter, text_) ? RaplDomain::counterValue(text_, channel.range) : std::nullopt;
        any = any || counter;
        values.emplace_back(counter ? static_cast<std::int64_t>(*counter) : -1);
    }
    if (!any) return std::nullopt;
    return PropertyDictionary{{"meter", "sysfs"}, {"counters", std::move(values)}};
}

std::optional<PropertyDictionary> RaplEnergySource::sampleCopy() {
    if (!TextFile::read(root_ / PowerServiceCopy::kFile, text_)) return std::nullopt;
    const auto copy = PowerServiceCopy::parse(text_);
    if (!copy) return std::nullopt;
    PropertyArray values;
    bool any = false;
    for (const auto& channel : channels_) {
        const auto found = std::find_if(copy->domains.begin(), copy->domains.end(),
                                        [&](const RaplDomain& d) { return d.zone == channel.zone; });
        any = any || found != copy->domains.end();
        values.emplace_back(found != copy->domains.end() ? static_cast<std::int64_t>(*found->counter) : -1);
    }
    if (!any) return std::nullopt;
    return PropertyDictionary{{"meter", "service"}, {"time", copy->time}, {"counters", std::move(values)}};
}

std::optional<PropertyDictionary> RaplEnergySource::createSamplesDelta(const PropertyDictionary& previous,
                                                                       const PropertyDictionary& current) {
    const PropertyArray* before = counters(previous);
    const PropertyArray* after = counters(current);
    const std::string* meter = stringProperty(current, "meter");
    // Counters read one way and then the other are not compared: their times differ in kind.
    if (!before || !after || before->size() != channels_.size() || after->size() != channels_.size() || !meter ||
        !stringProperty(previous, "meter") || *stringProperty(previous, "meter") != *meter) {
        return std::nullopt;
    }
    PropertyArray used;
    for (size_t i = 0; i < channels_.size(); ++i) {
        const auto* from = (*before)[i].as<std::int64_t>();
        const auto* to = (*after)[i].as<std::int64_t>();
        if (!from || !to || *from < 0 || *to < 0) continue;
        const auto energy = usedMillijoules(static_cast<std::uint64_t>(*from), static_cast<std::uint64_t>(*to),
                                            channels_[i].range);
        if (!energy) continue;
        used.emplace_back(PropertyDictionary{{"name", channels_[i].name}, {"value", *energy}});
    }
    // No channel to compare is no reading, not 0 W.
    if (used.empty()) return std::nullopt;
    PropertyDictionary delta{{"IOReportChannels", std::move(used)}};
    const auto from = doubleProperty(previous, "time"), to = doubleProperty(current, "time");
    if (from && to) delta.emplace("elapsed", *to - *from);
    return delta;
}

}  // namespace corvelle
