#include "linux/SysfsChargeThresholdSource.h"

#include "linux/TextFile.h"

namespace corvelle {
namespace {

std::optional<int> percentIn(const SysfsChargeThresholdSource::Attributes& attributes, std::string_view name) {
    const auto found = attributes.find(name);
    if (found == attributes.end()) return std::nullopt;
    const auto value = TextFile::parseSigned(found->second);
    if (!value || *value < 0 || *value > 100) return std::nullopt;
    return static_cast<int>(*value);
}

}  // namespace

SysfsChargeThresholdSource::SysfsChargeThresholdSource(std::filesystem::path root) : root_(std::move(root)) {}

std::optional<ChargeThresholds> SysfsChargeThresholdSource::parse(const std::string& name,
                                                                  const Attributes& attributes) {
    if (!PowerSupplies::isMachineBattery(attributes)) return std::nullopt;
    return ChargeThresholds{name, percentIn(attributes, "charge_control_start_threshold"),
                            percentIn(attributes, "charge_control_end_threshold")};
}

ChargeThresholds SysfsChargeThresholdSource::read() {
    std::optional<ChargeThresholds> first;
    for (const auto& supply : PowerSupplies::list(root_)) {
        Attributes attributes;
        PowerSupplies::readInto(
            supply, {"type", "scope", "charge_control_start_threshold", "charge_control_end_threshold"}, attributes);
        auto thresholds = parse(supply.filename().string(), attributes);
        if (thresholds && thresholds->supported()) return *thresholds;
        if (!first) first = std::move(thresholds);
    }
    return first.value_or(ChargeThresholds{});
}

}  // namespace corvelle
