#include "present/HistoryContent.h"
#include "present/OverviewContent.h"
#include "util/Format.h"

#include "support/MonitorHarness.h"
#include "support/ScopedLanguage.h"
#include "support/ScopedTimeZone.h"

#include <gtest/gtest.h>

#include <functional>

namespace corvelle {
namespace {

constexpr double june30 = 1751241600;  // 2025-06-30T00:00:00Z

// Counters that draw 5 W plus 1 W per hour of the day (28 W at 23:00) by the fake clock, read
// through the meter of the hour: nothing while it is locked.
struct ClockedMeter : EnergyReportSource {
    std::shared_ptr<test::FakeClock> clock;
    std::function<PowerMeter(int hour)> meterAt;
    PowerMeter meter = PowerMeter::none;

    static double wattsAt(int hour) { return 5.0 + hour; }
    int hour() const { return static_cast<int>(std::fmod(clock->now() - june30, 86400) / 3600); }
    bool subscribe() override { return true; }
    std::optional<PropertyDictionary> createSample() override {
        meter = meterAt(hour());
        return measures(meter) ? std::optional(PropertyDictionary{{"time", clock->now()}}) : std::nullopt;
    }
    std::optional<PropertyDictionary> createSamplesDelta(const PropertyDictionary& previous,
                                                         const PropertyDictionary& current) override {
        const double seconds = *doubleProperty(current, "time") - *doubleProperty(previous, "time");
        const PropertyDictionary used{{"name", "CPU Energy"}, {"value", std::llround(wattsAt(hour()) * seconds * 1000)}};
        return PropertyDictionary{{"IOReportChannels", PropertyArray{used}}};
    }
    std::string meterName() const override { return std::string(toRaw(meter)); }
};

// A whole day ticked once a minute from 00:00:30 to 23:59:30 UTC; the monitor's first tick has
// nothing to measure against. The energy views fill from the measured ticks only.
TEST(SystemMonitorEnergy, ADayOfTicksFillsTheEnergyViewsFromMeasuredWattsOnly) {
    test::ScopedTimeZone zone{"UTC0"};
    test::ScopedLanguage english("en");
    // The meter of each hour, the first hour with a power reading, and the samples with one.
    const struct { const char* name; std::function<PowerMeter(int)> meterAt; int firstMeasuredHour; std::int64_t measured; } cases[] = {
        {"the power service all day", [](int) { return PowerMeter::service; }, 0, 1439},
        {"the power service started at noon", [](int hour) { return hour < 12 ? PowerMeter::locked : PowerMeter::service; },
         12, 719},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::MonitorHarness h;
        h.clock->setNow(june30 + 30);
        MachineSources sources = h.sources();
        auto meter = std::make_unique<ClockedMeter>();
        std::tie(meter->clock, meter->meterAt) = std::tie(h.clock, c.meterAt);
        sources.energyReport = std::move(meter);
        h.make(std::move(sources));
        h.monitor->setFixedInterval(60);
        h.monitor->start();
        h.loop->advance(86400 - 60);

        const DailySnapshot today = h.monitor->usageStore().todaySnapshot();
        double watts = 0, wattHours = 0;
        for (int hour = c.firstMeasuredHour; hour < 24; ++hour) {
            const std::int64_t samples = hour == c.firstMeasuredHour ? 59 : 60;
            watts += ClockedMeter::wattsAt(hour) * static_cast<double>(samples);
            wattHours += ClockedMeter::wattsAt(hour) * static_cast<double>(samples) / 60;
            EXPECT_DOUBLE_EQ(today.hourlyFingerprints[static_cast<std::size_t>(hour)].avgWatts, ClockedMeter::wattsAt(hour));
        }
        EXPECT_EQ(std::make_tuple(today.sampleCount, today.meteredSamples()), std::make_tuple(std::int64_t{1440}, c.measured));
        EXPECT_NEAR(today.power.avgSystemWatts, watts / static_cast<double>(c.measured), 1e-9);
        EXPECT_NEAR(today.power.totalEnergyWh, wattHours, 1e-9);
        EXPECT_EQ(today.power.peakSystemWatts, 28);
        // History's day chart and the usage patterns.
        EXPECT_EQ(HistoryContent::dayEnergy(today).figures.back().value, formatString("%.1f Wh", wattHours));
        const auto patterns = OverviewContent::usagePatterns({today}, false, false, h.monitor->stats()->powerMeter);
        ASSERT_EQ(patterns.rows.size(), 3u);
        EXPECT_EQ(patterns.rows[0], (OverviewContent::PeakRow{"23:00", 1.0, "28.0 W"}));
        EXPECT_EQ(patterns.quietest, formatString("Quietest: %02d:00", c.firstMeasuredHour)) << "no unmeasured hour at 0 W";
        h.monitor->stop();
    }
}

}  // namespace
}  // namespace corvelle
