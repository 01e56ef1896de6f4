#pragma once

#include "platform/BatteryRegistry.h"

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace corvelle {

// The battery controller's properties from /sys/class/power_supply: the first system battery
// (not a peripheral's), and the mains and USB supplies for the external-power flag.
class SysfsBatteryRegistry : public BatteryRegistry {
public:
    // Attribute file name to its text.
    using Attributes = std::map<std::string, std::string, std::less<>>;

    explicit SysfsBatteryRegistry(std::filesystem::path root = "/");

    std::optional<PropertyDictionary> properties() override;

    // The property map of a battery's attributes, given the attributes of the external supplies.
    // Missing, malformed and implausible attributes leave their property out.
    static PropertyDictionary propertiesFrom(const Attributes& battery, const std::vector<Attributes>& externals);

private:
    std::filesystem::path root_;
};

}  // namespace corvelle
