#include "linux/HwmonSMCTransport.h"
#include "linux/power/RaplEnergySource.h"
#include "linux/SysfsBatteryRegistry.h"
#include "linux/SysfsThermalSource.h"
#include "present/StatusItemComposer.h"
#include "support/MonitorHarness.h"
#include "support/ScopedLanguage.h"
#include "support/WritableFixture.h"

#include <gtest/gtest.h>

namespace corvelle {
namespace {

// The harness's monitor on recorded battery, sensor, thermal and energy trees.
SystemMonitor& withSensors(test::MonitorHarness& harness, const std::string& battery, const std::string& hwmon,
                           const std::filesystem::path& thermal, const std::filesystem::path& rapl) {
    MachineSources sources = harness.sources();
    sources.batteryRegistry = std::make_unique<SysfsBatteryRegistry>(test::fixture(battery));
    sources.smcTransport = std::make_unique<HwmonSMCTransport>(test::fixture(hwmon));
    sources.thermal = std::make_unique<SysfsThermalSource>(thermal, harness.clock);
    sources.energyReport = std::make_unique<RaplEnergySource>(rapl);
    return harness.make(std::move(sources));
}

// Battery percentage, performance-core temperature, total power and thermal level.
auto readings(const SystemStats& s) {
    return std::tuple(s.batteryPercentage, s.pCoreTemp, s.totalPowerWatts, s.thermalLevel);
}

// An Intel hybrid laptop discharging at 62 %.
struct Laptop {
    test::MonitorHarness harness;
    test::WritableFixture thermal{"thermal/laptop"};
    test::WritableFixture rapl{"rapl/readable"};
    std::vector<std::pair<BatteryIcon, MenuBarTitle>> updates;

    SystemMonitor& make() {
        auto& monitor =
            withSensors(harness, "battery/charge-discharging", "hwmon/x1carbon-alderlake", thermal.root(), rapl.root());
        monitor.setOnMenuBarUpdate([this](const auto& icon, const auto& title) { updates.emplace_back(icon, title); });
        return monitor;
    }
};

TEST(SensorsEndToEnd, OnePollCarriesBatteryTemperaturesAndPower) {
    test::ScopedLanguage english("en");
    Laptop laptop;
    SystemMonitor& monitor = laptop.make();
    laptop.rapl.write("sys/class/powercap/intel-rapl:0:0/energy_uj", "50020000000");  // +20 J
    laptop.rapl.write("sys/class/powercap/intel-rapl:0:2/energy_uj", "3004000000");   // +4 J
    laptop.harness.clock->advance(2);
    monitor.poll();

    // The hybrid CPU reads its performance cores (hottest 55 °C), not the package.
    EXPECT_EQ(readings(monitor.stats().get()), std::tuple(62, 55, 12, ThermalLevel::nominal));
    EXPECT_EQ(monitor.powerHistory().get().elements(), (std::vector<double>{12}));

    ASSERT_EQ(laptop.updates.size(), 1u);
    EXPECT_EQ(laptop.updates[0].second.text, " CPU 0.0% | 55.0°C | 62%");
    EXPECT_EQ(laptop.updates[0].first.symbolName, "battery.75");

    laptop.thermal.write("sys/class/thermal/thermal_zone0/temp", "96000");
    laptop.harness.clock->advance(2);
    monitor.poll();
    EXPECT_EQ(monitor.stats().get().thermalLevel, ThermalLevel::moderate);
    EXPECT_EQ(laptop.updates.back().second.text, " CPU 0.0% | 55.0°C | Fair | 62%");
    // Without new energy the power fields stay.
    EXPECT_EQ(monitor.powerHistory().get().elements().size(), 2u);
}

TEST(SensorsEndToEnd, ThermalWatcherRunsBetweenStartAndStop) {
    Laptop laptop;
    SystemMonitor& monitor = laptop.make();
    const size_t otherTimers = laptop.harness.loop->activeTimers();
    monitor.start();
    EXPECT_EQ(laptop.harness.loop->activeTimers(), otherTimers + 2);  // ticks and the pressure watch

    // The zone reaches its critical trip between two ticks: the watcher reports it at once.
    laptop.thermal.write("sys/class/thermal/thermal_zone0/temp", "111000");
    laptop.harness.loop->advance(SysfsThermalSource::kWatchInterval);
    EXPECT_EQ(monitor.stats().get().thermalLevel, ThermalLevel::sleeping);

    monitor.stop();
    EXPECT_EQ(laptop.harness.loop->activeTimers(), otherTimers);
}

TEST(SensorsEndToEnd, MachineWithoutSensorsShowsNone) {
    test::ScopedLanguage english("en");
    test::MonitorHarness harness;
    SystemMonitor& monitor = withSensors(harness, "battery/desktop", "hwmon/unmapped", test::fixture("thermal/none"),
                                         test::fixture("rapl/unreadable"));
    const size_t otherTimers = harness.loop->activeTimers();
    monitor.start();
    EXPECT_EQ(harness.loop->activeTimers(), otherTimers + 1) << "the ticks, and no thermal watch without a source";
    const SystemStats& s = monitor.stats().get();
    EXPECT_EQ(readings(s), std::tuple(std::nullopt, 0, 0, std::optional<ThermalLevel>{})) << "unknown, not nominal";
    EXPECT_TRUE(s.gpus.empty()) << "no GPU source";
    EXPECT_EQ(s.powerMeter, PowerMeter::locked) << "counters that only root may read";
    EXPECT_TRUE(monitor.powerHistory().get().elements().empty());
    EXPECT_EQ(StatusItemComposer::batteryIcon(s).symbolName, "desktopcomputer");
    EXPECT_EQ(StatusItemComposer::title(s, {true, true, true, true, true}).text, " CPU 0.0%");
    monitor.stop();
}

}  // namespace
}  // namespace corvelle
