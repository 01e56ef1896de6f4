#include "linux/SensorText.h"
#include "linux/SysfsThermalSource.h"

#include "support/FakeClock.h"
#include "support/ManualEventLoop.h"
#include "support/WritableFixture.h"

#include <gtest/gtest.h>

namespace corvelle {
namespace {

constexpr const char* kZoneTemp = "sys/class/thermal/thermal_zone0/temp";  // passive 95, critical 110
constexpr const char* kCoreTemp = "sys/class/hwmon/hwmon1/temp2_input";    // max 100, crit 105
constexpr const char* kCoreAlarm = "sys/class/hwmon/hwmon1/temp2_crit_alarm";
constexpr const char* kProcessorCooling = "sys/class/thermal/cooling_device0/cur_state";
constexpr const char* kPackageThrottle = "sys/devices/system/cpu/cpu0/thermal_throttle/package_throttle_count";

struct Machine {
    test::WritableFixture tree{"thermal/laptop"};
    std::shared_ptr<test::FakeClock> clock = std::make_shared<test::FakeClock>();
    SysfsThermalSource source{tree.root(), clock};
};

TEST(SysfsThermalSource, StateFollowsTripPointsLimitsCoolingAndThrottlingOnly) {
    Machine m;
    EXPECT_TRUE(m.source.hasSources());
    // The fixture's fan is running and a zone has a placeholder critical trip of 0 °C at 20 °C.
    EXPECT_EQ(m.source.thermalState(), SystemThermalState::nominal);
    const struct {
        const char* file;
        const char* value;
        SystemThermalState expected;
    } steps[] = {
        {kZoneTemp, "45000", SystemThermalState::nominal},
        {kZoneTemp, "95000", SystemThermalState::fair},       // passive trip
        {kZoneTemp, "93500", SystemThermalState::fair},       // held within 2 °C below it
        {kZoneTemp, "92900", SystemThermalState::nominal},
        {kZoneTemp, "105000", SystemThermalState::critical},  // within 5 °C of the critical trip
        {kZoneTemp, "60000", SystemThermalState::nominal},
        {kZoneTemp, "garbage", SystemThermalState::nominal},
        {kCoreTemp, "100000", SystemThermalState::critical},  // at the core's control limit, 5 °C from crit
        {kCoreTemp, "50000", SystemThermalState::nominal},
        {kProcessorCooling, "2", SystemThermalState::fair},
        {kProcessorCooling, "0", SystemThermalState::nominal},
        {kPackageThrottle, "8", SystemThermalState::serious},
        {kPackageThrottle, "8", SystemThermalState::serious},  // a rise counts for a while
        {kCoreAlarm, "1", SystemThermalState::critical},
        {kCoreAlarm, "0", SystemThermalState::serious},
    };
    for (const auto& step : steps) {
        m.tree.write(step.file, step.value);
        m.clock->advance(2);
        EXPECT_EQ(m.source.thermalState(), step.expected) << step.file << " = " << step.value;
    }
    m.clock->advance(10);
    EXPECT_EQ(m.source.thermalState(), SystemThermalState::nominal);
}

TEST(SysfsThermalSource, WatchNotifiesOnLevelChangesOnly) {
    Machine m;
    test::ManualEventLoop loop(*m.clock);
    int notifications = 0;
    const int token = m.source.registerPressureWatch(loop, [&] { ++notifications; });
    ASSERT_NE(token, 0);
    EXPECT_EQ(m.source.pressureState(token), 0u);

    loop.advance(SysfsThermalSource::kWatchInterval);
    EXPECT_EQ(notifications, 0);
    m.tree.write(kZoneTemp, "96000");
    loop.advance(SysfsThermalSource::kWatchInterval * 3);
    EXPECT_EQ(notifications, 1);
    EXPECT_EQ(m.source.pressureState(token), 33u);
    m.tree.write(kZoneTemp, "111000");
    loop.advance(SysfsThermalSource::kWatchInterval);
    EXPECT_EQ(notifications, 2);
    EXPECT_EQ(m.source.pressureState(token), 90u);
    EXPECT_EQ(m.source.pressureState(token + 1), std::nullopt);

    m.source.cancelPressureWatch(token);
    EXPECT_EQ(loop.activeTimers(), 0u);
    EXPECT_EQ(m.source.pressureState(token), std::nullopt);
}

TEST(SysfsThermalSource, MachineWithoutSourcesStaysNominalAndCannotBeWatched) {
    test::FakeClock clock;
    test::ManualEventLoop loop(clock);
    SysfsThermalSource source(test::fixture("thermal/does-not-exist"), std::make_shared<test::FakeClock>());
    EXPECT_FALSE(source.hasSources());
    EXPECT_EQ(source.thermalState(), SystemThermalState::nominal);
    EXPECT_EQ(source.registerPressureWatch(loop, [] {}), 0);
    EXPECT_EQ(loop.activeTimers(), 0u);
}

TEST(SensorText, ParsesMillidegrees) {
    const struct {
        const char* text;
        std::optional<double> celsius;
    } cases[] = {{"45000", 45.0}, {"-5000\n", -5.0}, {"", std::nullopt}, {"45.5", std::nullopt},
                 {"-273150", std::nullopt}, {"200000", std::nullopt}, {"99999999999999999999", std::nullopt}};
    for (const auto& c : cases) EXPECT_EQ(SensorText::celsius(c.text), c.celsius) << c.text;
}

}  // namespace
}  // namespace corvelle
