#include "present/WaybarLine.h"

#include "support/ScopedLanguage.h"
#include "support/StatsBuilder.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace corvelle {
namespace {

using test::Power;
using test::StatsBuilder;

TEST(WaybarLine, TextTooltipClassAndPercentage) {
    test::ScopedLanguage english("en");
    SystemStats desktop = StatsBuilder().cpu(12.34).cores(0, 4);
    desktop.thermalLevel = ThermalLevel::heavy;
    SystemStats laptop = StatsBuilder().cpu(5).cores(0, 4).battery(62.6, Power::battery).memory(1 << 30, 4ULL << 30);
    laptop.pCoreTemp = 48.04;
    laptop.totalPowerWatts = 6.5;
    laptop.batteryTimeRemaining = 3900;
    laptop.thermalLevel = ThermalLevel::nominal;
    const struct { SystemStats stats; std::string tooltip; const char* thermalClass; int percentage; } cases[] = {
        {desktop, "CPU 12.3%\nThermal state: Serious", "heavy", -1},
        {laptop, "CPU 5.0%\nTemperature 48.0°C\nPower 6.5 W\nMemory 1.0 GB / 4.0 GB\nBattery 63% · 1:05 remaining\n"
                 "Thermal state: Nominal", "nominal", 63},
        {StatsBuilder().battery(99.7, Power::charging, 12), "Battery 100% · Charging · 12.0 W", "unknown", 100},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.tooltip);
        const auto line = WaybarLine::compose(c.stats, {" CPU 12.3% | 80%", {}, {}});
        EXPECT_EQ(line.find('\n'), std::string::npos);  // one line per tick
        nlohmann::json expected{{"text", "CPU 12.3% | 80%"}, {"tooltip", c.tooltip}, {"class", c.thermalClass}};
        if (c.percentage >= 0) expected["percentage"] = c.percentage;  // -1: no key
        EXPECT_EQ(nlohmann::json::parse(line), expected);
    }
}

}  // namespace
}  // namespace corvelle
