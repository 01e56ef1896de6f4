#include "linux/SysfsChargeThresholdSource.h"

#include "support/Fixtures.h"
#include "support/WritableFixture.h"

#include <gtest/gtest.h>

namespace corvelle {
namespace {

constexpr const char* kBat0 = "sys/devices/LNXSYSTM:00/LNXSYBUS:00/PNP0C0A:00/power_supply/BAT0/";

TEST(SysfsChargeThresholdSource, ParsesOnlySystemBatteriesAndWholePercentages) {
    using A = SysfsChargeThresholdSource::Attributes;
    const struct {
        A attributes;
        std::optional<ChargeThresholds> expected;
    } cases[] = {
        {{{"type", "Battery"}, {"charge_control_start_threshold", "0"}, {"charge_control_end_threshold", "100"}},
         ChargeThresholds{"B", 0, 100}},
        {{{"type", "Battery"}, {"charge_control_end_threshold", "101"}}, ChargeThresholds{"B", std::nullopt, std::nullopt}},
        {{{"type", "Battery"}, {"charge_control_start_threshold", "-1"}, {"charge_control_end_threshold", "8O"}},
         ChargeThresholds{"B", std::nullopt, std::nullopt}},
        {{{"type", "Battery"}, {"scope", "Device"}, {"charge_control_end_threshold", "80"}}, std::nullopt},
        {{{"type", "Mains"}}, std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(SysfsChargeThresholdSource::parse("B", c.attributes), c.expected);
}

TEST(SysfsChargeThresholdSource, ReadsTheFirstBatteryWithALimit) {
    test::WritableFixture tree("battery-care/laptop");
    SysfsChargeThresholdSource source(tree.root());
    EXPECT_EQ(source.read(), (ChargeThresholds{"BAT0", 75, 80}));
    tree.remove(std::string(kBat0) + "charge_control_start_threshold");
    EXPECT_EQ(source.read(), (ChargeThresholds{"BAT0", std::nullopt, 80}));
    // Without any limit the first battery is named, unsupported; a peripheral's never is.
    tree.remove(std::string(kBat0) + "charge_control_end_threshold");
    tree.remove("sys/class/power_supply/BAT9");
    EXPECT_EQ(source.read(), (ChargeThresholds{"BAT0", std::nullopt, std::nullopt}));
    EXPECT_FALSE(source.read().supported());
    EXPECT_EQ(SysfsChargeThresholdSource(test::fixture("battery/desktop")).read(), ChargeThresholds{});
}

}  // namespace
}  // namespace corvelle
