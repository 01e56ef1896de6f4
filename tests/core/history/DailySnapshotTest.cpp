#include "history/DailySnapshot.h"
#include "model/SystemStats.h"
#include "util/JsonFields.h"

#include "support/ScopedTimeZone.h"
#include "support/StatsBuilder.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cmath>
#include <functional>

namespace corvelle {
namespace {

using test::kMadrid;

struct DailySnapshotFold : ::testing::Test {
    test::ScopedTimeZone zone{kMadrid};
    double nine = test::localMoment(2025, 6, 30, 9, 10);
    DailySnapshot day = DailySnapshot::empty("2025-06-30", nine);
};

using test::Power;

SystemStats charge(double percent, Power power = Power::battery, double watts = 0) {
    return test::StatsBuilder().battery(percent, power, watts);
}

TEST_F(DailySnapshotFold, BatterySequences) {
    const struct { const char* name; std::vector<SystemStats> samples; double drain;
                   std::int64_t deepDischarges, chargesTo100; double avgDischargeWatts; } cases[] = {
        {"one excursion below 20 counts once", {charge(19), charge(18), charge(22), charge(19)}, 4, 1, 0, 0},
        {"back at 25 re-arms the latch", {charge(19), charge(26), charge(19)}, 7, 2, 0, 0},
        {"below 20 while plugged in is not a discharge",
         {charge(15, Power::pluggedIn), charge(14, Power::pluggedIn)}, 0, 0, 0, 0},
        {"rising unplugged and dropping plugged add no drain",
         {charge(50), charge(60), charge(55, Power::pluggedIn)}, 0, 0, 0, 0},
        {"reaching 100 while charging",
         {charge(99, Power::charging), charge(100, Power::charging), charge(100, Power::charging)}, 0, 0, 1, 0},
        {"reaching 100 without the charging flag",
         {charge(99, Power::pluggedIn), charge(100, Power::pluggedIn)}, 0, 0, 0, 0},
        {"starting at 100 is no charge event",
         {charge(100, Power::charging), charge(100, Power::charging)}, 0, 0, 0, 0},
        {"plugged-in power is not discharge power",
         {charge(50, Power::battery, 10), charge(49, Power::battery, 20), charge(49, Power::pluggedIn, 30)},
         1, 0, 0, 15},
    };
    for (const auto& c : cases) {
        auto record = DailySnapshot::empty("2025-06-30", nine);
        for (const auto& sample : c.samples) ASSERT_TRUE(record.fold(sample, 2, nine));
        const auto& b = record.battery;
        const auto& [first, last] = std::tie(c.samples.front(), c.samples.back());
        EXPECT_EQ(std::tie(b.totalDrainPercent, b.deepDischargeEvents, b.chargeEventsTo100, b.avgDischargeWatts,
                           b.startPercent, b.endPercent, b.lastWasPluggedIn),
                  std::tie(c.drain, c.deepDischarges, c.chargesTo100, c.avgDischargeWatts, first.batteryPercentage,
                           last.batteryPercentage, last.batteryIsPluggedIn)) << c.name;
    }
}

// The record's times and sample count are checked through UsageCollector, which stamps each fold.
TEST_F(DailySnapshotFold, FirstSampleSetsTheRange) {
    ASSERT_TRUE(day.fold(charge(57), 2, nine));
    const auto& b = day.battery;
    EXPECT_EQ(std::tie(b.minPercent, b.maxPercent, b.lastPercent, b.timeOnBatterySeconds),
              std::make_tuple(57.0, 57.0, 57.0, 2.0));
}

TEST_F(DailySnapshotFold, MeansPeaksAndEnergy) {
    // Exactly 40 % CPU is not above 40.
    for (const auto& [cpu, pressure, used, watts] :
         {std::tuple{10.0, 30.0, 2ULL << 30, 36.0}, {40.0, 50.0, 1ULL << 30, 0.0}, {40.5, 30.0, 2ULL << 30, 36.0}}) {
        SystemStats stats = test::StatsBuilder().cpu(cpu).memory(used, 0);
        stats.eCoreAverage = 4;
        stats.memoryPressure = pressure;
        stats.totalPowerWatts = watts;
        stats.gpuPowerWatts = 2;
        stats.powerMeter = PowerMeter::sysfs;
        ASSERT_TRUE(day.fold(stats, 100, nine));
    }
    EXPECT_DOUBLE_EQ(day.cpu.avgTotal, 90.5 / 3);
    EXPECT_DOUBLE_EQ(day.memory.avgPressure, 110.0 / 3);
    EXPECT_DOUBLE_EQ(day.memory.avgUsedGB, 5.0 / 3);
    EXPECT_DOUBLE_EQ(day.power.totalEnergyWh, 2.0);  // 36 W for 2 x 100 s
    EXPECT_EQ(std::tie(day.cpu.peakTotal, day.cpu.samplesAbove40, day.cpu.avgECore, day.memory.peakPressure,
                       day.power.peakSystemWatts, day.power.avgGpuWatts),
              std::make_tuple(40.5, std::int64_t{1}, 4.0, 50.0, 36.0, 2.0));
}

// The power service starts after two ticks without a meter, and has no reading at its first tick.
TEST_F(DailySnapshotFold, TicksWithoutAPowerReadingAreNotZeroWattSamples) {
    const std::pair<PowerMeter, double> ticks[] = {
        {PowerMeter::locked, 0}, {PowerMeter::none, 0}, {PowerMeter::service, 0}, {PowerMeter::service, 10},
        {PowerMeter::service, 20}};
    for (const auto& [meter, watts] : ticks) {
        SystemStats stats = charge(50, Power::battery, 6);
        std::tie(stats.powerMeter, stats.totalPowerWatts, stats.gpuPowerWatts) = std::tuple(meter, watts, watts / 10);
        ASSERT_TRUE(day.fold(stats, 60, nine));
    }
    const auto& p = day.power;
    EXPECT_EQ(std::tie(p.avgSystemWatts, p.peakSystemWatts, p.avgGpuWatts, p.totalEnergyWh, p.avgBatteryWatts),
              std::make_tuple(15.0, 20.0, 1.5, 0.5, 6.0))
        << "watts and energy of the two measured ticks; the battery's over all five";
    const auto& hour = day.hourlyFingerprints[9];
    EXPECT_EQ(std::tie(hour.avgWatts, hour.meteredSamples, hour.sampleCount, day.sampleCount),
              std::make_tuple(15.0, std::int64_t{2}, std::int64_t{5}, std::int64_t{5}));
    EXPECT_EQ(day.meteredSamples(), 2);
}

TEST_F(DailySnapshotFold, ThermalPeakKeepsTheWorstLevel) {
    using T = ThermalLevel;
    // Peak level, seconds above nominal, samples above heavy; P-cores always at 60 °C.
    const std::pair<std::vector<T>, ThermalDailyAggregate> cases[] = {
        {{T::nominal, T::nominal}, {0, 0, 0, 60}},
        {{T::heavy, T::moderate}, {50, 4, 1, 60}},
        {{T::moderate, T::trapping, T::nominal}, {70, 4, 1, 60}},
        {{T::sleeping, T::heavy}, {90, 4, 2, 60}},
    };
    for (const auto& [levels, expected] : cases) {
        auto record = DailySnapshot::empty("2025-06-30", nine);
        SystemStats stats;
        stats.pCoreTemp = 60;
        for (auto level : levels) {
            stats.thermalLevel = level;
            ASSERT_TRUE(record.fold(stats, 2, nine));
        }
        EXPECT_EQ(record.thermal, expected) << expected.peakLevel;
    }
}

TEST_F(DailySnapshotFold, HourlyEntriesFollowTheLocalHour) {
    SystemStats stats;
    for (auto [minute, cpu] : {std::pair{10, 10.0}, {40, 30.0}}) {
        stats.cpuTotalUsage = cpu;
        ASSERT_TRUE(day.fold(stats, 2, test::localMoment(2025, 6, 30, 9, minute)));
    }
    stats.cpuTotalUsage = 50;
    ASSERT_TRUE(day.fold(stats, 2, test::localMoment(2025, 6, 30, 23, 59)));
    const auto& hours = day.hourlyFingerprints;
    ASSERT_EQ(hours.size(), 24u);
    // 09:10 local is 07:10 UTC.
    EXPECT_EQ(std::tuple(hours[9].avgCPU, hours[9].peakCPU, hours[9].sampleCount, hours[23].sampleCount,
                         hours[7].sampleCount), std::tuple(20.0, 30.0, 2, 1, 0));
}

TEST_F(DailySnapshotFold, ApplicationsAboveOnePercentAreRecorded) {
    const SystemStats stats = test::StatsBuilder().apps({{"Idle", 1.0}, {"Barely", 1.01}, {"Busy", 5}});
    ASSERT_TRUE(day.fold(stats, 3, nine));
    ASSERT_TRUE(day.fold(stats, 3, nine));
    using Minutes = std::map<std::string, double>;
    EXPECT_EQ(day.appPresenceMinutes, (Minutes{{"Barely", 0.1}, {"Busy", 0.1}}));
    EXPECT_EQ(day.appCPUTotals, (Minutes{{"Barely", 2.02}, {"Busy", 10}}));
}

TEST_F(DailySnapshotFold, ASampleThatIsNotFiniteIsRefused) {
    SystemStats good;
    good.cpuTotalUsage = 20;
    ASSERT_TRUE(day.fold(good, 2, nine));
    const auto before = day;
    const std::function<void(SystemStats&)> spoilers[] = {
        [](SystemStats& s) { s.cpuTotalUsage = NAN; }, [](SystemStats& s) { s.totalPowerWatts = INFINITY; },
        [](SystemStats& s) { s.pCoreTemp = -INFINITY; }, [](SystemStats& s) { s.appGroups = {{"App", NAN}}; }};
    for (const auto& spoil : spoilers) {
        SystemStats bad = good;
        spoil(bad);
        EXPECT_FALSE(day.fold(bad, 2, nine));
        EXPECT_EQ(day, before);
    }
    EXPECT_FALSE(day.fold(good, NAN, nine));
    EXPECT_EQ(day, before);
}

// A record with every kind of field filled, as the file holds it (saving and loading back whole
// files is tested with UsageStore).
DailySnapshot filledRecord() {
    test::ScopedTimeZone zone{kMadrid};
    auto record = DailySnapshot::empty("2025-06-30", 1751267400);
    SystemStats stats = test::StatsBuilder().cpu(12.5).battery(57, Power::battery, 7.25).apps({{"Editor", 3.5}});
    stats.thermalLevel = ThermalLevel::moderate;
    record.fold(stats, 2, 1751267400);
    record.fold(stats, 2, 1751267402);
    return record;
}

TEST(DailySnapshotJson, MissingKeysAndWrongTypesFailTheDecode) {
    const auto good = nlohmann::json(filledRecord());
    const struct { const char* name; std::function<void(nlohmann::json&)> damage; bool decodes; } cases[] = {
        {"whole number with a point", [](auto& j) { j["sampleCount"] = 2.0; }, true},
        {"integer for a double", [](auto& j) { j["cpu"]["avgTotal"] = 12; }, true},
        {"fraction for an integer", [](auto& j) { j["sampleCount"] = 2.5; }, false},
        {"bool for a number", [](auto& j) { j["cpu"]["avgTotal"] = true; }, false},
        {"number for a bool", [](auto& j) { j["battery"]["wasBelow20"] = 0; }, false},
        {"nested key missing", [](auto& j) { j["power"].erase("avgGpuWatts"); }, false},
        {"integer beyond 64 bits", [](auto& j) { j["sampleCount"] = 18446744073709551615ULL; }, false},
        {"date without zone", [](auto& j) { j["firstSampleAt"] = "2025-06-30T07:10:00"; }, false},
        {"map of text", [](auto& j) { j["appCPUTotals"]["Editor"] = "x"; }, false},
        {"23 hours", [](auto& j) { j["hourlyFingerprints"].erase(23); }, false},
        {"hours out of order", [](auto& j) { std::swap(j["hourlyFingerprints"][0], j["hourlyFingerprints"][1]); },
         false},
        {"more measured samples than samples", [](auto& j) { j["hourlyFingerprints"][9]["meteredSamples"] = 3; }, false},
        {"negative measured samples", [](auto& j) { j["hourlyFingerprints"][9]["meteredSamples"] = -1; }, false},
    };
    for (const auto& c : cases) {
        auto json = good;
        c.damage(json);
        EXPECT_EQ(JsonFields::decodeJson<DailySnapshot>(json.dump()).has_value(), c.decodes) << c.name;
    }
}

// Hours stored before meters could come and go had a meter for every sample, or none (0 W).
TEST(DailySnapshotJson, OlderHoursWithoutAMeasuredCountGetOne) {
    for (const auto& [watts, measured] : {std::pair{8.5, 1800}, {0.0, 0}}) {
        const auto hour = JsonFields::decodeJson<HourlyFingerprint>(
            nlohmann::json{{"hour", 10}, {"avgCPU", 1.0}, {"avgWatts", watts}, {"avgMemoryPressure", 1.0},
                           {"peakCPU", 1.0}, {"sampleCount", 1800}}.dump());
        EXPECT_EQ(hour.value().meteredSamples, measured) << watts;
    }
}

}  // namespace
}  // namespace corvelle
