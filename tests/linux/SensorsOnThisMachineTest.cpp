#include "linux/HwmonSMCTransport.h"
#include "linux/RaplEnergySource.h"
#include "linux/SysfsBatteryRegistry.h"
#include "linux/SysfsThermalSource.h"
#include "linux/SystemClock.h"
#include "sampling/BatteryMonitor.h"
#include "sampling/IOReportService.h"
#include "sampling/TemperatureMonitor.h"
#include "support/ManualEventLoop.h"

#include <gtest/gtest.h>

#include <cmath>

namespace corvelle {
namespace {

// Whatever this machine has (often nothing at all), the readings are absent or plausible.
TEST(SensorsOnThisMachine, ReadWithoutFailing) {
    auto clock = std::make_shared<SystemClock>();
    BatteryMonitor battery(std::make_unique<SysfsBatteryRegistry>(), clock);
    if (const auto s = battery.sample()) {
        EXPECT_GE(s->percentage, 0);
        EXPECT_LE(s->percentage, 100);
        EXPECT_GE(s->watts, 0);
    }

    SMCService smc(std::make_unique<HwmonSMCTransport>());
    if (const auto s = TemperatureMonitor(smc).sample()) {
        for (const auto& [key, celsius] : s->allTemps) EXPECT_TRUE(celsius > 0 && celsius < 150) << key;
    }

    IOReportService energy(std::make_unique<RaplEnergySource>(), clock);
    if (const auto power = energy.sample()) {
        EXPECT_TRUE(std::isfinite(power->cpuWatts));
        EXPECT_GE(power->cpuWatts, 0);
    }

    test::FakeClock fake;
    test::ManualEventLoop loop(fake);
    SysfsThermalSource thermal("/", clock);
    thermal.thermalState();
    const int token = thermal.registerPressureWatch(loop, [] {});
    EXPECT_EQ(token != 0, thermal.hasSources());
    thermal.cancelPressureWatch(token);
}

}  // namespace
}  // namespace corvelle
