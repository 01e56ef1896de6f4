#include "linux/SysfsBatteryRegistry.h"
#include "sampling/BatteryMonitor.h"

#include "support/FakeClock.h"
#include "support/Fixtures.h"

#include <gtest/gtest.h>

#include <cmath>

namespace corvelle {
namespace {

// What the user reads off a battery, doubles to a hundredth.
struct Figures {
    std::optional<double> percent;
    std::optional<ChargeLevel> level;
    std::optional<double> health;
    std::optional<std::int64_t> nowMAh, fullMAh, designMAh;
    double watts = 0;
    bool charging = false, pluggedIn = false;
    std::int64_t cycles = 0;
    bool operator==(const Figures&) const = default;
};

std::optional<double> hundredths(std::optional<double> value) {
    if (!value) return value;
    return std::round(*value * 100) / 100;
}

std::optional<Figures> read(const std::string& tree) {
    const BatteryMonitor monitor(std::make_unique<SysfsBatteryRegistry>(test::fixture("battery/" + tree)),
                                 std::make_shared<test::FakeClock>());
    const auto s = monitor.sample();
    if (!s) return std::nullopt;
    return Figures{hundredths(s->percentage), s->chargeLevel, hundredths(s->healthPercent), s->rawCurrentCapacity,
                   s->rawMaxCapacity, s->designCapacity, *hundredths(s->watts), s->isCharging, s->isPluggedIn,
                   s->cycleCount};
}

TEST(SysfsBatteryRegistry, RecordedMachinesReadAsTheDesktopPowerDaemonShowsThem) {
    using L = ChargeLevel;
    const std::pair<const char*, std::optional<Figures>> cases[] = {
        // Charge pair: ratios and mAh as given; current_now × voltage_now for the power.
        {"charge-discharging", Figures{62, {}, 96.15, 3100, 5000, 5200, 9.12, false, false, 142}},
        // Energy pair through the 15.4 V design minimum; the online USB-C supply; cycle count 0 is none.
        {"energy-charging", Figures{60, {}, 87.72, 1948, 3247, 3701, 25, true, true, 0}},
        {"full-not-charging", Figures{100, {}, 96, 4800, 4800, 5000, 0, false, true, 300}},
        // No voltage_min_design: the ratio still holds (not `capacity`), mAh through voltage_now.
        {"energy-no-design-voltage", Figures{80, {}, 75, 4000, 5000, 6667, 6, false, false, 0}},
        // Two packs summed, the peripheral left out; the most-cycled pack's count.
        {"two-batteries", Figures{41.25, {}, 75, 4125, 10000, 13333, 8, false, false, 300}},
        // power_now wins over current_now × voltage_now (9.44 W).
        {"charge-power-now", Figures{75, {}, 95.45, 7875, 10500, 11000, 9, false, false, 0}},
        // No adapter listed: Full and Not charging are on external power and draw nothing;
        // `capacity` gives the present charge where the driver has no charge_now.
        {"full-no-adapter", Figures{100, {}, 95.45, 10500, 10500, 11000, 0, false, true, 0}},
        {"not-charging-no-adapter", Figures{40, {}, 95.45, 4200, 10500, 11000, 0, false, true, 0}},
        // Two packs held by a charge limit, no adapter listed: plugged in, as for one pack.
        {"two-not-charging-no-adapter", Figures{75, {}, 88.24, 3947, 5263, 5965, 0, false, true, 0}},
        {"level-only", Figures{{}, L::low, {}, {}, {}, {}, 0, false, false, 0}},
        // Negative, overflowing, fractional and empty values are no readings, not zeros.
        {"garbage", Figures{}},
        // No system battery: a wireless mouse's battery is not the machine's.
        {"desktop", std::nullopt}, {"removed", std::nullopt}, {"does-not-exist", std::nullopt},
    };
    for (const auto& [tree, expected] : cases) EXPECT_EQ(read(tree), expected) << tree;
}

TEST(SysfsBatteryRegistry, StatusAndCurrentSign) {
    using A = SysfsBatteryRegistry::Attributes;
    const auto properties = [](std::vector<A> batteries) { return SysfsBatteryRegistry::propertiesFrom(batteries, {}); };
    const A discharging{{"status", "Discharging"}, {"current_now", "-1500000"}};
    const A charging{{"status", "Charging"}, {"current_now", "-1500000"}};
    EXPECT_EQ(integerProperty(properties({discharging}), "InstantAmperage"), -1500);
    EXPECT_EQ(integerProperty(properties({charging}), "InstantAmperage"), 1500);
    EXPECT_FALSE(integerProperty(properties({{{"status", "Charging"}, {"current_now", "-9223372036854775808"}}}),
                                 "InstantAmperage"));
    // One pack charging while the other discharges: the pair charges.
    EXPECT_EQ(booleanProperty(properties({discharging, charging}), "IsCharging"), true);
    EXPECT_EQ(booleanProperty(properties({discharging, {{"status", "Full"}}}), "IsCharging"), false);
}

}  // namespace
}  // namespace corvelle
