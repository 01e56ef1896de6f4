#include "linux/SysfsChargeThresholdSource.h"

#include "linux/TextFile.h"

#include <algorithm>
#include <vector>

namespace corvelle {
namespace {

constexpr const char* kAttributes[] = {"type", "scope", "charge_control_start_threshold",
                                       "charge_control_end_threshold"};

std::optional<int> percentIn(const SysfsChargeThresholdSource::Attributes& attributes, std::string_view name) {
    const auto found = attributes.find(name);
    if (found == attributes.end()) return std::nullopt;
    const auto value = TextFile::parseSigned(found->second);
    if (!value || *value < 0 || *value > 100) return std::nullopt;
    return static_cast<int>(*value);
}

SysfsChargeThresholdSource::Attributes attributesOf(const std::filesystem::path& supply) {
    SysfsChargeThresholdSource::Attributes attributes;
    for (const char* name : kAttributes) {
        if (auto value = TextFile::readTrimmed(supply / name)) attributes.emplace(name, std::move(*value));
    }
    return attributes;
}

}  // namespace

SysfsChargeThresholdSource::SysfsChargeThresholdSource(std::filesystem::path root) : root_(std::move(root)) {}

std::optional<ChargeThresholds> SysfsChargeThresholdSource::parse(const std::string& name,
                                                                  const Attributes& attributes) {
    const auto type = attributes.find("type");
    const auto scope = attributes.find("scope");
    if (type == attributes.end() || type->second != "Battery") return std::nullopt;
    if (scope != attributes.end() && scope->second == "Device") return std::nullopt;
    return ChargeThresholds{name, percentIn(attributes, "charge_control_start_threshold"),
                            percentIn(attributes, "charge_control_end_threshold")};
}

ChargeThresholds SysfsChargeThresholdSource::read() {
    std::vector<std::filesystem::path> supplies;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(root_ / "sys/class/power_supply", error)) {
        supplies.push_back(entry.path());
    }
    std::sort(supplies.begin(), supplies.end());
    std::optional<ChargeThresholds> first;
    for (const auto& supply : supplies) {
        auto thresholds = parse(supply.filename().string(), attributesOf(supply));
        if (thresholds && thresholds->supported()) return *thresholds;
        if (!first) first = std::move(thresholds);
    }
    return first.value_or(ChargeThresholds{});
}

}  // namespace corvelle
