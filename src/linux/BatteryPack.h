#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace corvelle {

// One system battery's reading from its power_supply attributes, in the driver's own unit, and
// several of them combined into the one battery the user sees.
struct BatteryPack {
    // Attribute file name to its text.
    using Attributes = std::map<std::string, std::string, std::less<>>;

    // now / full / design in one unit: energy_* (µWh) or charge_* (µAh).
    struct Amounts {
        bool energy = true;
        double now = 0, full = 0;
        std::optional<double> design;
    };

    std::optional<Amounts> amounts;
    std::optional<double> capacityPercent;  // the driver's own `capacity`
    std::optional<std::string> level;       // `capacity_level`, when it names a level
    std::optional<double> nowMAh, fullMAh, designMAh;
    std::optional<double> watts;        // power draw, 0 while Full or Not charging
    std::optional<std::int64_t> voltageMV;
    std::optional<std::int64_t> currentMA;  // magnitude
    std::optional<std::int64_t> cycleCount;
    std::string status;

    // Missing, malformed and implausible attributes are no reading.
    static BatteryPack from(const Attributes& attributes);
    // Summed amounts, capacities and power; the most-cycled pack's count; charging if any
    // charges, discharging if any discharges and none charges.
    static BatteryPack combined(const std::vector<BatteryPack>& packs);

    std::optional<double> percent() const;
    std::optional<double> healthPercent() const;
};

}  // namespace corvelle
