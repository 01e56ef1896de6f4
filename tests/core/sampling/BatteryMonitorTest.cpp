#include "sampling/BatteryMonitor.h"

#include "support/Each.h"
#include "support/FakeBatteryRegistry.h"
#include "support/FakeClock.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace corvelle {
namespace {

struct Estimator {
    std::shared_ptr<test::FakeClock> clock = std::make_shared<test::FakeClock>();
    BatteryMonitor monitor{nullptr, clock};

    // One tick: the clock moves by `interval`, then the estimate is asked for.
    double tick(const BatteryMonitor::Snapshot& s, double interval = 2.0, double cpu = 20.0) {
        clock->advance(interval);
        return monitor.estimateTimeRemaining(s, cpu, interval);
    }
    double warmUp(const BatteryMonitor::Snapshot& s) {
        double last = 0;
        for (int i = 0; i < 10; ++i) last = tick(s);
        return last;
    }
};

// 11.4 V, 4000 mAh left, drawing `watts`: 45.6 Wh, so 16416 s at 10 W.
BatteryMonitor::Snapshot discharging(double watts, double percent = 50, std::int64_t capacity = 4000) {
    BatteryMonitor::Snapshot s;
    s.voltage = 11400;
    s.rawCurrentCapacity = capacity;
    s.rawMaxCapacity = 8000;
    s.percentage = percent;
    s.watts = watts;
    return s;
}

TEST(BatteryMonitorSnapshot, DerivesFromProperties) {
    const PropertyDictionary base{{"AppleRawCurrentCapacity", 2500}, {"AppleRawMaxCapacity", 5000},
                                  {"Voltage", 11400},                {"InstantAmperage", -1000},
                                  {"CycleCount", 42},                {"ExternalConnected", false}};
    const struct { const char* name; PropertyDictionary extra; double percentage, watts; std::optional<double> health;
                   std::optional<std::int64_t> design; std::int64_t adapter; } cases[] = {
        {"ratio when CurrentCapacity is 0", {{"CurrentCapacity", 0}}, 50, 11.4, {}, {}, 0},
        {"CurrentCapacity wins", {{"CurrentCapacity", 61}}, 61, 11.4, {}, {}, 0},
        {"CurrentCapacity of another kind", {{"CurrentCapacity", 61.0}}, 50, 11.4, {}, {}, 0},
        {"health never above 100", {{"NominalChargeCapacity", 5200}, {"DesignCapacity", 5000}}, 50, 11.4, 100, 5000, 0},
        {"health against design", {{"NominalChargeCapacity", 4000}, {"DesignCapacity", 5000}}, 50, 11.4, 80, 5000, 0},
        // No capacities to measure wear by: no health, not 100 %.
        {"design falls back to raw max", {{"NominalChargeCapacity", 4500}}, 50, 11.4, 90, {}, 0},
        {"design below 1", {{"NominalChargeCapacity", 4500}, {"DesignCapacity", 0}}, 50, 11.4, {}, 0, 0},
        {"adapter watts", {{"AdapterDetails", PropertyDictionary{{"Watts", 96}}}}, 50, 11.4, {}, {}, 96},
        {"adapter details of another kind", {{"AdapterDetails", 96}}, 50, 11.4, {}, {}, 0},
        {"amperage of another kind", {{"InstantAmperage", "-1000"}}, 50, 0, {}, {}, 0},
        {"most negative amperage has no magnitude",
         {{"InstantAmperage", std::numeric_limits<std::int64_t>::min()}}, 50, 0, {}, {}, 0},
    };
    for (const auto& c : cases) {
        PropertyDictionary properties = c.extra;
        properties.insert(base.begin(), base.end());
        const auto s = BatteryMonitor::snapshotFrom(properties);
        EXPECT_EQ(std::tie(s.percentage, s.watts, s.healthPercent, s.designCapacity, s.adapterWatts, s.cycleCount),
                  std::make_tuple(c.percentage, c.watts, c.health, c.design, c.adapter, std::int64_t{42}))
            << c.name;
    }
}

TEST(BatteryMonitorSnapshot, MissingOrMistypedPropertiesTakeTheDefaultsAndNoneGiveNoSample) {
    EXPECT_EQ(BatteryMonitor::snapshotFrom({}), BatteryMonitor::Snapshot{});
    const auto s = BatteryMonitor::snapshotFrom({{"IsCharging", 1}, {"ExternalConnected", "Yes"},
                                                 {"AppleRawMaxCapacity", 0}, {"AppleRawCurrentCapacity", 10}});
    EXPECT_EQ(std::tie(s.isCharging, s.isPluggedIn, s.percentage), std::make_tuple(false, false, std::optional<double>()));  // no usable maximum
    EXPECT_EQ(BatteryMonitor::snapshotFrom({{"AppleRawCurrentCapacity", 6000}, {"AppleRawMaxCapacity", 5000}}).percentage, 100);
    // Readings whose product exceeds 64 bits still give a finite power.
    const auto huge = BatteryMonitor::snapshotFrom(
        {{"Voltage", std::numeric_limits<std::int64_t>::max()}, {"InstantAmperage", -4000}});
    EXPECT_TRUE(std::isfinite(huge.watts));
    EXPECT_GT(huge.watts, 0);
    // No sample without a registry or its properties; one that answers is read through the
    // monitor in SystemMonitorSettingsTest.
    auto clock = std::make_shared<test::FakeClock>();
    EXPECT_FALSE(BatteryMonitor(nullptr, clock).sample());
    EXPECT_FALSE(BatteryMonitor(std::make_unique<test::FakeBatteryRegistry>(std::nullopt), clock).sample());
}

// Drawing 10 W with `capacity` mAh left.
BatteryMonitor::Snapshot withCharge(std::int64_t capacity) { return discharging(10, 50, capacity); }

// The figure after warm-up is bounded (0.5 W would last 91 h), and absent for tiny power or no energy.
TEST(BatteryMonitorEstimate, FiguresAfterWarmUpAreBoundedAndCorrectedForTheChargeLevel) {
    const std::pair<BatteryMonitor::Snapshot, double> bounds[] = {
        {discharging(0.5), 72000}, {withCharge(10), 600}, {discharging(0.1), 0}, {withCharge(0), 0}};
    for (const auto& [snapshot, expected] : bounds) EXPECT_EQ(Estimator().warmUp(snapshot), expected) << snapshot.watts;
    const std::pair<double, double> factors[] = {{8, 0.75},  {9.99, 0.75}, {10, 0.85}, {14.9, 0.85}, {15, 0.92},
                                                 {19.9, 0.92}, {20, 1.0},   {94.9, 1.0}, {95, 1.05},   {96, 1.05}};
    for (const auto& [percent, factor] : factors) {
        EXPECT_NEAR(Estimator().warmUp(discharging(10, percent)), 16416 * factor, 0.01) << percent;
    }
}

// Nothing during the warm-up, and external power restarts it.
TEST(BatteryMonitorEstimate, ExternalPowerResetsAndRestartsTheWarmUp) {
    Estimator e;
    for (int i = 0; i < 9; ++i) EXPECT_EQ(e.tick(discharging(10)), 0) << i;
    EXPECT_NEAR(e.tick(discharging(10)), 16416, 0.01);
    for (auto external : {&BatteryMonitor::Snapshot::isPluggedIn, &BatteryMonitor::Snapshot::isCharging}) {
        auto powered = discharging(10);
        powered.*external = true;
        EXPECT_EQ(e.tick(powered), 0);
    }
    for (int i = 0; i < 9; ++i) EXPECT_EQ(e.tick(discharging(10)), 0) << i;
    EXPECT_NEAR(e.tick(discharging(10)), 16416, 0.01);
}

TEST(BatteryMonitorEstimate, ChangesAtMostTwoMinutesPerElapsedSecond) {
    const struct { double interval, step; } cases[] = {
        {2, 240}, {5, 600}, {0, 0}, {-30, 0}};  // a clock set backwards allows no change
    for (const auto& c : cases) {
        Estimator e;
        const double before = e.warmUp(discharging(10));
        // Twice the charge doubles the raw estimate, far beyond one step.
        EXPECT_NEAR(e.tick(withCharge(8000), c.interval) - before, c.step, 1e-6) << c.interval;
    }
}

// How far one update moves the filter from `from` toward `to`, as a fraction of the step.
double gain(double from, double to, double cpuDelta) {
    Estimator e;
    e.monitor.kalmanUpdate(from, 0, 0.5);
    return (e.monitor.kalmanUpdate(to, cpuDelta, 0.5) - from) / (to - from);
}

TEST(BatteryMonitorFilters, MedianTakesTheUpperMiddleAndKalmanGainFollowsDirectionAndCpuJumps) {
    for (const auto& [in, expected] : {std::pair<std::vector<double>, std::vector<double>>{{10, 50}, {10, 50}},
                                       {{10, 10, 50, 10, 10, 50, 50}, {10, 10, 10, 10, 10, 10, 50}}}) {
        Estimator e;
        EXPECT_EQ(test::each(in, [&](double v) { return e.monitor.medianFilter(v); }), expected);
    }
    // Falls are followed faster than rises, and the noise grows with strictly larger CPU jumps.
    EXPECT_EQ(Estimator().monitor.kalmanUpdate(7.5, 0, 0.5), 7.5);  // the first measurement is taken as is
    EXPECT_LT(gain(5, 20, 0), gain(20, 5, 0));
    EXPECT_EQ(gain(20, 5, 15), gain(20, 5, 0));
    EXPECT_GT(gain(20, 5, 15.001), gain(20, 5, 15));
    EXPECT_EQ(gain(20, 5, 30), gain(20, 5, 15.001));
    EXPECT_GT(gain(20, 5, 31), gain(20, 5, 30));
    EXPECT_EQ(gain(20, 5, 90), gain(20, 5, 31));
}

}  // namespace
}  // namespace corvelle
