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
    using enum SystemThermalState;
    const std::tuple<const char*, const char*, SystemThermalState> steps[] = {
        {kZoneTemp, "45000", nominal}, {kZoneTemp, "95000", fair},           // the passive trip
        {kZoneTemp, "93500", fair}, {kZoneTemp, "92900", nominal},           // held within 2 °C below it
        {kZoneTemp, "105000", critical}, {kZoneTemp, "60000", nominal},      // within 5 °C of the critical trip
        {kCoreTemp, "100000", critical}, {kCoreTemp, "50000", nominal},      // the core's limit, 5 °C from crit
        {kProcessorCooling, "2", fair}, {kProcessorCooling, "0", nominal},
        {kPackageThrottle, "8", serious}, {kPackageThrottle, "8", serious},  // a rise counts for a while
        {kCoreAlarm, "1", critical}, {kCoreAlarm, "0", serious},
    };
    for (const auto& [file, value, expected] : steps) {
        m.tree.write(file, value);
        m.clock->advance(2);
        EXPECT_EQ(m.source.thermalState(), expected) << file << " = " << value;
    }
    m.clock->advance(10);
    EXPECT_EQ(m.source.thermalState(), nominal);
}

TEST(SysfsThermalSource, WatchNotifiesOnLevelChangesOnly) {
    Machine m;
    test::ManualEventLoop loop(*m.clock);
    int notifications = 0;
    const int token = m.source.registerPressureWatch(loop, [&] { ++notifications; });
    ASSERT_NE(token, 0);
    EXPECT_EQ(m.source.pressureState(token), 0u);

    // Zone temperature, watch intervals waited, notifications so far and the pressure then.
    const std::tuple<const char*, int, int, std::uint64_t> steps[] = {
        {"45000", 1, 0, 0}, {"96000", 3, 1, 33}, {"111000", 1, 2, 90}};
    for (const auto& [temp, intervals, notified, pressure] : steps) {
        m.tree.write(kZoneTemp, temp);
        loop.advance(SysfsThermalSource::kWatchInterval * intervals);
        EXPECT_EQ(std::tuple(notifications, m.source.pressureState(token)), std::tuple(notified, pressure)) << temp;
    }
    EXPECT_EQ(m.source.pressureState(token + 1), std::nullopt);

    m.source.cancelPressureWatch(token);
    EXPECT_EQ(loop.activeTimers(), 0u);
    EXPECT_EQ(m.source.pressureState(token), std::nullopt);
}

TEST(SensorText, ParsesMillidegrees) {
    const std::pair<const char*, std::optional<double>> cases[] = {
        {"45000", 45.0}, {"-5000\n", -5.0}, {"45.5", std::nullopt}, {"-273150", std::nullopt},
        {"200000", std::nullopt}, {"99999999999999999999", std::nullopt}};
    for (const auto& [text, celsius] : cases) EXPECT_EQ(SensorText::celsius(text), celsius) << text;
}

}  // namespace
}  // namespace corvelle
