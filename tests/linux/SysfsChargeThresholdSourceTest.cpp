#include "linux/SysfsChargeThresholdSource.h"

#include "support/Fixtures.h"

#include <gtest/gtest.h>

namespace corvelle {
namespace {

TEST(SysfsChargeThresholdSource, ReadsTheSystemBatterysWholePercentages) {
    const auto parse = [](SysfsChargeThresholdSource::Attributes a) { return SysfsChargeThresholdSource::parse("B", a); };
    EXPECT_EQ(parse({{"type", "Battery"}, {"charge_control_start_threshold", "0"}, {"charge_control_end_threshold", "100"}}),
              (ChargeThresholds{"B", 0, 100}));
    EXPECT_EQ(parse({{"type", "Battery"}, {"charge_control_start_threshold", "-1"}, {"charge_control_end_threshold", "8O"}}),
              (ChargeThresholds{"B", std::nullopt, std::nullopt}));
    EXPECT_EQ(parse({{"type", "Battery"}, {"scope", "Device"}, {"charge_control_end_threshold", "80"}}), std::nullopt);

    const auto read = [](const char* tree) { return SysfsChargeThresholdSource(test::fixture(tree)).read(); };
    EXPECT_EQ(read("battery-care/laptop"), (ChargeThresholds{"BAT0", 75, 80}));
    EXPECT_EQ(read("battery/removed"), (ChargeThresholds{"BAT0", std::nullopt, std::nullopt}));  // named, unsupported
    EXPECT_EQ(read("battery/desktop"), ChargeThresholds{});  // only a peripheral's battery
}

}  // namespace
}  // namespace corvelle
