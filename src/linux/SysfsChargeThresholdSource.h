#pragma once

#include "linux/PowerSupplies.h"
#include "platform/ChargeThresholdSource.h"

#include <filesystem>
#include <optional>
#include <string>

namespace corvelle {

// The charge_control_start_threshold and charge_control_end_threshold files of the system
// battery in /sys/class/power_supply: the first battery (not a peripheral's) that has an end
// threshold, else the first battery, with no thresholds.
class SysfsChargeThresholdSource : public ChargeThresholdSource {
public:
    using Attributes = PowerSupplies::Attributes;

    explicit SysfsChargeThresholdSource(std::filesystem::path root = "/");

    ChargeThresholds read() override;

    // The thresholds of the power supply `name` with these attributes; absent when it is not a
    // system battery. Values that are not whole percentages are no reading.
    static std::optional<ChargeThresholds> parse(const std::string& name, const Attributes& attributes);

private:
    std::filesystem::path root_;
};

}  // namespace corvelle
