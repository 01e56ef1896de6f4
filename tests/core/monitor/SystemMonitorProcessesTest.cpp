#include "support/MonitorHarness.h"

#include "util/AtomicFile.h"
#include "util/JsonText.h"

#include <gtest/gtest.h>

namespace corvelle {
namespace {

using test::MonitorHarness;

// A monitor with one process whose CPU use each tick is set by the caller; ticks are 1 s apart.
struct ProcessHarness : MonitorHarness {
    SystemMonitor& monitor;
    ProcessHarness() : monitor(make()) { processes->add(42, "/usr/bin/worker"); }

    void tick(double percent) {
        processes->processes[42].task.userTime += static_cast<std::uint64_t>(percent * 1e7);
        clock->advance(1);
        monitor.poll();
    }
    bool learnt(const std::string& name) {
        const auto text = AtomicFile::read(dir / "baselines.json");
        return text && JsonText::decode(*text).value()["processBaselines"].contains(name);
    }
};

TEST(SystemMonitorProcesses, TopProcessesFollowVisibleTicksAndGroupsEveryTick) {
    ProcessHarness h;
    for (std::int32_t pid = 1; pid <= 30; ++pid) {
        h.processes->add(pid, "/usr/bin/p" + std::to_string(pid)).task.residentSize = std::uint64_t(pid) << 20;
    }
    h.settings.setMaxProcesses(25);
    h.cpu->script.push(std::vector<CpuTicks>{{0, 0, 0, 0, 0}});
    h.cpu->script.push(std::vector<CpuTicks>{{0, 50, 0, 50, 0}});  // the one core counts as a performance core
    h.monitor.setPopoverVisible(true);
    h.tick(0);
    h.tick(20);
    const auto& visible = h.monitor.stats();
    EXPECT_EQ(visible->topProcesses.size(), 25u) << "as many as the setting names";
    EXPECT_EQ(visible->appGroups.size(), 25u);
    EXPECT_DOUBLE_EQ(visible->topProcesses.at(0).energyImpact, 20 * 2.5) << "weighted by this tick's cores";
    h.monitor.setProcessOrder({ProcessOrder::Key::memory});
    EXPECT_EQ(visible->topProcesses.at(0).pid, 30) << "the biggest memory user, at once";
    EXPECT_EQ(visible->topProcesses.size(), 25u);
    EXPECT_EQ(visible->appGroups.at(0).name, "worker") << "groups stay the busiest by CPU";

    for (std::int32_t pid = 1; pid <= 30; ++pid) h.processes->remove(pid);
    h.monitor.setPopoverVisible(false);
    h.tick(0);
    EXPECT_EQ(h.monitor.stats()->topProcesses.size(), 25u);
    EXPECT_EQ(h.monitor.stats()->appGroups, (std::vector<AppGroup>{{"worker", 0, 0, 1, 0}}));
}

TEST(SystemMonitorProcesses, AlertsOnlyOnBatteryWithTheSettingOn) {
    // The alert's text is checked with EnergyAlertService. Without a battery reading in the tick, hidden ticks cannot tell they run on battery.
    // A machine without a battery is on external power.
    const struct { bool visible; bool pluggedIn; bool alertsOn; size_t sent; bool learnt; bool battery = true; } cases[] = {
        {true, false, true, 1, true}, {true, false, false, 0, true}, {true, true, true, 0, false},
        {false, false, true, 0, true}, {true, false, true, 0, false, false},
    };
    for (const auto& c : cases) {
        ProcessHarness h;
        h.settings.setAlertsEnergy(c.alertsOn);
        h.monitor.setPopoverVisible(c.visible);
        h.monitor.stats().modify([&](SystemStats& s) { s.batteryIsPluggedIn = c.pluggedIn; s.batteryIsPresent = c.battery; });
        for (int i = 0; i < 11; ++i) h.tick(1);
        h.tick(60);
        h.monitor.stop();
        ASSERT_EQ(h.notifier->posted.size(), c.sent) << c.visible << c.pluggedIn << c.alertsOn;
        EXPECT_EQ(h.learnt("worker"), c.learnt) << c.visible << c.pluggedIn << c.alertsOn;
    }
}

TEST(SystemMonitorProcesses, PublishesTheBatteryDrawAverageAndComparisons) {
    ProcessHarness h;
    h.monitor.setPopoverVisible(true);
    h.monitor.stats().modify([](SystemStats& s) { s.batteryWatts = 10; s.batteryIsPresent = true; });
    for (int i = 0; i < 11; ++i) h.tick(2);
    h.monitor.stats().modify([](SystemStats& s) { s.batteryWatts = 20; });
    h.tick(8);
    EXPECT_DOUBLE_EQ(h.monitor.stats()->systemBaselineWatts, 10.5);
    const auto& comparisons = h.monitor.stats()->processComparisons;
    ASSERT_EQ(comparisons.size(), 1u);
    EXPECT_EQ(comparisons[0].name, "worker");
    // The name's average holds every sample: 0 on the first sighting, ten of 2, this 8.
    EXPECT_DOUBLE_EQ(comparisons[0].ratio, 8 / (28 / 12.0));
}

}  // namespace
}  // namespace corvelle
