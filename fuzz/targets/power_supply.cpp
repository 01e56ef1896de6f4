// The attributes of /sys/class/power_supply: "name=value" lines of a battery (read as both packs
// of a two-battery machine), then, after each "--" line, those of one mains or USB supply.
#include "FuzzCheck.h"
#include "linux/SysfsBatteryRegistry.h"
#include "linux/SysfsChargeThresholdSource.h"

using namespace corvelle;

namespace {

void requireNoNegativeFigure(const PropertyDictionary& properties) {
    for (const auto& [key, value] : properties) {
        if (const auto* number = value.as<std::int64_t>(); number && key != "InstantAmperage") {
            fuzz::require(*number >= 0, "no negative battery figure");
        }
        if (const auto* nested = value.as<PropertyDictionary>()) requireNoNegativeFigure(*nested);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<SysfsBatteryRegistry::Attributes> supplies(1);
    for (const auto line : fuzz::pieces(fuzz::text(data, size), '\n')) {
        if (line == "--") {
            supplies.emplace_back();
            continue;
        }
        const auto equals = line.find('=');
        if (equals != std::string_view::npos) supplies.back().emplace(line.substr(0, equals), line.substr(equals + 1));
    }
    const std::vector externals(supplies.begin() + 1, supplies.end());
    const auto properties = SysfsBatteryRegistry::propertiesFrom({supplies.front(), supplies.front()}, externals);
    requireNoNegativeFigure(properties);
    for (const char* key : {"ChargePercent", "HealthPercent"}) {
        if (const auto* percent = properties.count(key) ? properties.at(key).as<double>() : nullptr) {
            fuzz::require(*percent >= 0 && *percent <= 100, "percentages are 0 to 100");
        }
    }
    if (const auto thresholds = SysfsChargeThresholdSource::parse("BAT0", supplies.front())) {
        for (const auto& percent : {thresholds->start, thresholds->end}) {
            fuzz::require(!percent || (*percent >= 0 && *percent <= 100), "thresholds are percentages");
        }
    }
    return 0;
}
