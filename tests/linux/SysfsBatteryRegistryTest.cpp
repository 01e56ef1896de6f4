#include "linux/SysfsBatteryRegistry.h"

#include "support/Fixtures.h"

#include <gtest/gtest.h>

namespace corvelle {
namespace {

TEST(SysfsBatteryRegistry, MapsRecordedMachines) {
    using Dict = PropertyDictionary;
    const std::pair<const char*, std::optional<PropertyDictionary>> cases[] = {
        // µAh to mAh; the current made negative because the status says discharging.
        {"charge-discharging",
         Dict{{"AppleRawCurrentCapacity", 3100}, {"AppleRawMaxCapacity", 5000}, {"NominalChargeCapacity", 5000},
          {"DesignCapacity", 5200}, {"InstantAmperage", -800}, {"Voltage", 11400}, {"CycleCount", 142},
          {"CurrentCapacity", 62}, {"IsCharging", false}, {"ExternalConnected", false}}},
        // µWh through the 15.4 V design minimum; power over voltage for the current; no cycle
        // count; the adapter limit of the online USB-C supply (20 V x 3.25 A).
        {"energy-charging",
         Dict{{"AppleRawCurrentCapacity", 1948}, {"AppleRawMaxCapacity", 3246}, {"NominalChargeCapacity", 3246},
          {"DesignCapacity", 3701}, {"InstantAmperage", 1488}, {"Voltage", 16800}, {"CurrentCapacity", 60},
          {"IsCharging", true}, {"ExternalConnected", true}, {"AdapterDetails", Dict{{"Watts", 65}}}}},
        {"full-not-charging",
         Dict{{"AppleRawCurrentCapacity", 4800}, {"AppleRawMaxCapacity", 4800}, {"NominalChargeCapacity", 4800},
          {"DesignCapacity", 5000}, {"InstantAmperage", 0}, {"Voltage", 12900}, {"CycleCount", 300},
          {"CurrentCapacity", 100}, {"IsCharging", false}, {"ExternalConnected", true}}},
        // Negative, overflowing, fractional, empty and most-negative values are no readings.
        {"garbage", Dict{{"IsCharging", false}, {"ExternalConnected", false}}},
        // No system battery: a wireless mouse's battery is not the machine's.
        {"desktop", std::nullopt}, {"removed", std::nullopt}, {"does-not-exist", std::nullopt},
    };
    for (const auto& [tree, expected] : cases) {
        EXPECT_EQ(SysfsBatteryRegistry(test::fixture(std::string("battery/") + tree)).properties(), expected) << tree;
    }
}

TEST(SysfsBatteryRegistry, CurrentSignFollowsTheStatusNotTheDriver) {
    SysfsBatteryRegistry::Attributes battery{{"status", "Discharging"}, {"current_now", "-1500000"}};
    EXPECT_EQ(integerProperty(SysfsBatteryRegistry::propertiesFrom(battery, {}), "InstantAmperage"), -1500);
    battery["status"] = "Charging";
    EXPECT_EQ(integerProperty(SysfsBatteryRegistry::propertiesFrom(battery, {}), "InstantAmperage"), 1500);
    battery["current_now"] = "-9223372036854775808";
    EXPECT_FALSE(integerProperty(SysfsBatteryRegistry::propertiesFrom(battery, {}), "InstantAmperage"));
}

}  // namespace
}  // namespace corvelle
