#pragma once

#include "linux/BatteryPack.h"
#include "platform/BatteryRegistry.h"

#include <filesystem>
#include <vector>

namespace corvelle {

// The battery controller's properties from /sys/class/power_supply: every system battery (not a
// peripheral's) combined into one, and the mains and USB supplies for the external-power flag.
class SysfsBatteryRegistry : public BatteryRegistry {
public:
    using Attributes = BatteryPack::Attributes;

    explicit SysfsBatteryRegistry(std::filesystem::path root = "/");

    std::optional<PropertyDictionary> properties() override;

    // The property map of the batteries' attributes, given the attributes of the external supplies.
    // Missing, malformed and implausible attributes leave their property out.
    static PropertyDictionary propertiesFrom(const std::vector<Attributes>& batteries,
                                             const std::vector<Attributes>& externals);

private:
    std::filesystem::path root_;
};

}  // namespace corvelle
