#pragma once

#include "linux/PowerSupplies.h"

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvelle {

// One system battery's reading from its power_supply attributes, in the driver's own unit, and
// several of them combined into the one battery the user sees.
struct BatteryPack {
    using Attributes = PowerSupplies::Attributes;

    // Two amounts in one unit: energy_* (µWh) or charge_* (µAh).
    struct Ratio {
        bool energy = true;
        double part = 0, whole = 0;
        bool operator==(const Ratio&) const = default;
    };

    std::optional<Ratio> charge;            // now over full
    std::optional<Ratio> wear;              // full over design
    std::optional<double> capacityPercent;  // the driver's own `capacity`, or the packs' mean
    std::optional<std::string> level;       // `capacity_level`, when it names a level
    std::optional<double> nowMAh, fullMAh, designMAh;
    std::optional<double> watts;  // power draw, 0 while Full or Not charging
    std::optional<std::int64_t> voltageMV;
    std::optional<std::int64_t> currentMA;  // magnitude
    std::optional<std::int64_t> cycleCount;
    std::string status;

    // Missing, malformed and implausible attributes are no reading.
    static BatteryPack from(const Attributes& attributes);
    // Summed amounts, capacities and power; the most-cycled pack's count; the lowest level;
    // charging if any charges, discharging if any discharges and none charges.
    static BatteryPack combined(const std::vector<BatteryPack>& packs);

    // 0 to 100: the charge ratio, else `capacity`.
    std::optional<double> percent() const;
    // At most 100; absent without a full and a design amount in one unit.
    std::optional<double> healthPercent() const;

    // An attribute's integer within [min, max]; absent when missing, malformed or outside.
    static std::optional<std::int64_t> integerIn(const Attributes& attributes, std::string_view name,
                                                 std::int64_t min, std::int64_t max);
};

}  // namespace corvelle
