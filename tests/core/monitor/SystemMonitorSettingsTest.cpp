#include "support/FakeBatteryRegistry.h"
#include "support/MonitorHarness.h"

#include <gtest/gtest.h>

namespace corvelle {
namespace {

// The tick hands its battery reading to the low-battery rule: one notification per discharge.
TEST(SystemMonitorSettings, LowBatteryIsPostedFromTheTicksBatteryReading) {
    test::MonitorHarness h;
    h.settings.setAlertsLowBattery(true);
    auto sources = h.sources();
    auto battery = std::make_unique<test::FakeBatteryRegistry>();
    auto& readings = *battery;
    sources.batteryRegistry = std::move(battery);
    auto& monitor = h.make(std::move(sources));
    const struct { std::int64_t percent; bool pluggedIn; size_t posted; } ticks[] = {
        {12, false, 0}, {10, true, 0}, {10, false, 1}, {9, false, 1}, {30, true, 1}, {10, false, 2}};
    for (const auto& tick : ticks) {
        readings.reading = PropertyDictionary{{"CurrentCapacity", tick.percent}, {"ExternalConnected", tick.pluggedIn}};
        monitor.poll();
        EXPECT_EQ(h.notifier->posted.size(), tick.posted) << tick.percent << " plugged in " << tick.pluggedIn;
    }
    EXPECT_EQ(h.notifier->posted.back().identifier, "corvelle-low-battery");
}

}  // namespace
}  // namespace corvelle
