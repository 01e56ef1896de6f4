#include "history/UsageCollector.h"
#include "history/UsageStore.h"
#include "model/SystemStats.h"
#include "util/AtomicFile.h"
#include "util/JsonFields.h"

#include "support/FakeClock.h"
#include "support/ManualEventLoop.h"
#include "support/ScopedTimeZone.h"
#include "support/StatsBuilder.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace corvelle {
namespace {

using test::kMadrid;
constexpr const char* kNewYork = "EST5EDT,M3.2.0,M11.1.0";

SystemStats sampleStats(double health = 92.5) {
    SystemStats stats = test::StatsBuilder().cpu(20).battery(70, test::Power::battery, 6);
    stats.batteryHealthPercent = health;
    stats.batteryCycleCount = 140;
    stats.pCoreTemp = 51;
    return stats;
}

struct UsageCollectorTest : ::testing::Test {
    test::ScopedTimeZone zone{kMadrid};
    test::TempDir dir;
    std::shared_ptr<test::FakeClock> clock = std::make_shared<test::FakeClock>(test::localMoment(2025, 6, 30, 15, 0));
    std::shared_ptr<test::ManualEventLoop> loop = std::make_shared<test::ManualEventLoop>(*clock);
    std::unique_ptr<UsageStore> store = std::make_unique<UsageStore>(dir.path(), clock, loop);
    int rollovers = 0;

    std::unique_ptr<UsageCollector> makeCollector() {
        auto collector = std::make_unique<UsageCollector>(*store);
        collector->onDayRollover = [this] { ++rollovers; };
        return collector;
    }
    // Restarts the program: a new store loads the files, a new collector continues.
    std::unique_ptr<UsageCollector> restart() {
        store = std::make_unique<UsageStore>(dir.path(), clock, loop);
        store->load();
        return makeCollector();
    }
    DailySnapshot storedDay(const std::string& date) {
        const auto& days = store->history().dailySnapshots;
        const auto found = std::ranges::find(days, date, &DailySnapshot::date);
        EXPECT_NE(found, days.end()) << "no record for " << date;
        return found != days.end() ? *found : DailySnapshot{};
    }
};

TEST_F(UsageCollectorTest, ARestartDuringTheDayContinuesTheStoredRecord) {
    clock->setNow(test::localMoment(2025, 6, 30, 8, 0));
    auto collector = restart();
    for (int i = 0; i < 3; ++i) collector->record(sampleStats(), 2);
    store->performSave();

    clock->setNow(test::localMoment(2025, 6, 30, 15, 0));
    collector = restart();
    collector->record(sampleStats(), 2);
    const auto today = storedDay("2025-06-30");
    // The day's health reading was taken before the restart.
    EXPECT_EQ(std::make_tuple(today.sampleCount, today.firstSampleAt, today.lastSampleAt, store->healthEntries().size(), rollovers),
              std::make_tuple(std::int64_t{4}, test::localMoment(2025, 6, 30, 8, 0), clock->now(), size_t{1}, 0));
}

TEST_F(UsageCollectorTest, TheFirstTickAfterMidnightClosesTheDay) {
    clock->setNow(test::localMoment(2025, 6, 30, 23, 59, 56));
    auto collector = restart();
    collector->record(sampleStats(), 2);
    clock->advance(2);
    collector->record(sampleStats(), 2);
    collector->onDayRollover = [&] {
        ++rollovers;
        // The re-analysis sees the finished day, saved, and nothing of the new one yet.
        const auto recent = store->recentSnapshots(7);
        ASSERT_EQ(recent.size(), 1u);
        EXPECT_EQ(std::tie(recent[0].date, recent[0].sampleCount), std::make_tuple(std::string("2025-06-30"), std::int64_t{2}));
        EXPECT_FALSE(store->isDirty());
        const auto saved = JsonFields::decodeJson<UsageHistory>(*AtomicFile::read(store->dailySummariesURL()));
        ASSERT_TRUE(saved);
        EXPECT_EQ(saved->dailySnapshots, recent);
    };
    clock->advance(4);  // 00:00:02
    collector->record(sampleStats(), 2);
    const auto newDay = storedDay("2025-07-01");
    EXPECT_EQ(std::make_tuple(rollovers, collector->currentDay(), newDay.sampleCount, newDay.firstSampleAt),
              std::make_tuple(1, std::string("2025-07-01"), std::int64_t{1}, clock->now()));
    clock->advance(2);
    collector->record(sampleStats(), 2);
    EXPECT_EQ(std::make_tuple(rollovers, store->history().dailySnapshots.size(), store->healthEntries().size()),
              std::make_tuple(1, size_t{2}, size_t{2}));
}

TEST_F(UsageCollectorTest, OneHealthReadingPerDayFromTheFirstSampleThatHasOne) {
    auto collector = makeCollector();
    collector->record(sampleStats(0), 2);  // no reading: does not use up the hour
    collector->record(SystemStats{}, 2);    // no battery: the default 100 % is no reading either
    auto spoilt = sampleStats();  // refused as a whole: no reading either
    spoilt.batteryWatts = NAN;
    collector->record(spoilt, 2);
    EXPECT_TRUE(store->healthEntries().empty());
    clock->advance(2);
    auto stats = sampleStats(92.5);
    stats.batteryWatts = 8;
    collector->record(stats, 2);
    const std::vector<BatteryHealthEntry> first{{"2025-06-30", 92.5, 140, 0, 0, 51, 7}};  // mean of 6 W and 8 W
    EXPECT_EQ(store->healthEntries(), first);
    for (double later : {91.0, 90.0}) {
        clock->advance(3600);
        collector->record(sampleStats(later), 2);
    }
    EXPECT_EQ(store->healthEntries(), first);
    collector = restart();  // a restart on a day that has its reading adds none
    collector->record(sampleStats(80), 2);
    EXPECT_EQ(store->healthEntries().size(), 1u);
}

TEST_F(UsageCollectorTest, SaveRequestsFollowThePollingInterval) {
    const struct { double interval; std::int64_t threshold; } cases[] = {
        {1, 300}, {2, 150}, {7, 42}, {400, 0}, {0, 150}, {-3, 150}};
    for (const auto& c : cases) {
        EXPECT_EQ(UsageCollector::saveThreshold(c.interval, 300), c.threshold) << c.interval;
        if (c.interval <= 0) continue;
        store = std::make_unique<UsageStore>(dir.path(), clock, loop);  // never saved: the first request writes
        auto collector = makeCollector();
        for (std::int64_t i = 1; i < c.threshold; ++i) collector->record(sampleStats(), c.interval);
        EXPECT_EQ(loop->runPosted(), 0) << c.interval;
        collector->record(sampleStats(), c.interval);
        EXPECT_EQ(loop->runPosted(), 1) << c.interval;
    }
}

TEST_F(UsageCollectorTest, DaylightSavingDaysHaveTwentyThreeAndTwentyFiveHours) {
    const struct { int month, day; const char* key; std::int64_t minutes, samplesAt2; } cases[] = {
        {3, 30, "2025-03-30", 23 * 60, 0}, {10, 26, "2025-10-26", 25 * 60, 120}, {6, 15, "2025-06-15", 24 * 60, 60}};
    for (const auto& c : cases) {
        store = std::make_unique<UsageStore>(dir.path(), clock, loop);
        clock->setNow(test::localMoment(2025, c.month, c.day - 1, 23, 30));
        auto collector = makeCollector();
        rollovers = 0;
        while (clock->now() < test::localMoment(2025, c.month, c.day + 1, 0, 30)) {
            collector->record(sampleStats(), 60);
            clock->advance(60);
        }
        const auto day = storedDay(c.key);
        EXPECT_EQ(std::make_tuple(rollovers, day.sampleCount, day.hourlyFingerprints[2].sampleCount,
                                  day.battery.timeOnBatterySeconds),
                  std::make_tuple(2, c.minutes, c.samplesAt2, c.minutes * 60.0)) << c.key;
    }
}

TEST_F(UsageCollectorTest, MovingBackAcrossMidnightContinuesTheEarlierDay) {
    clock->setNow(test::localMoment(2025, 6, 30, 23, 58));
    auto collector = makeCollector();
    collector->record(sampleStats(), 60);
    clock->advance(120);  // 00:00 on the 1st
    collector->record(sampleStats(), 60);
    const struct { const char* what; std::function<void()> move; const char* day; } steps[] = {
        {"clock set back", [&] { clock->advance(-3600); }, "2025-06-30"},
        {"clock forward again", [&] { clock->advance(3660); }, "2025-07-01"},
        {"travel west", [&] { zone.set(kNewYork); }, "2025-06-30"},
        {"travel back east", [&] { zone.set(kMadrid); }, "2025-07-01"},
    };
    std::int64_t ticks = 2;
    for (const auto& step : steps) {
        step.move();
        collector->record(sampleStats(), 60);
        ++ticks;
        EXPECT_EQ(collector->currentDay(), step.day) << step.what;
        const auto& days = store->history().dailySnapshots;  // no sample that was taken is lost
        EXPECT_EQ(days[0].sampleCount + days.back().sampleCount, ticks) << step.what;
    }
    EXPECT_EQ(store->history().dailySnapshots.size(), 2u);
    ASSERT_EQ(store->healthEntries().size(), 2u);
    EXPECT_LT(store->healthEntries()[0].date, store->healthEntries()[1].date);
}

// A hundred days at a 10-second interval through collector, store and real files.
TEST_F(UsageCollectorTest, HundredDaySoak) {
    clock->setNow(test::localMoment(2025, 1, 1, 0, 0));
    auto collector = makeCollector();
    size_t largestFile = 0;
    collector->onDayRollover = [&] {
        const auto saved = JsonFields::decodeJson<UsageHistory>(*AtomicFile::read(store->dailySummariesURL()));
        ASSERT_TRUE(saved);
        largestFile = std::max(largestFile, saved->dailySnapshots.size());
    };
    const double end = test::localMoment(2025, 4, 10, 12, 0);  // 100 days, one DST change
    for (std::int64_t tick = 0; clock->now() < end; ++tick) {
        auto stats = sampleStats(95 - tick / 100000.0);
        stats.cpuTotalUsage = static_cast<double>(tick % 97);
        stats.batteryPercentage = 20 + static_cast<double>(tick % 800) / 10;
        stats.batteryIsPluggedIn = (tick / 800) % 2 == 0;
        stats.appGroups = {{"Editor", static_cast<double>(tick % 7)}, {"Browser", 2.5}};
        collector->record(stats, 10);
        // The loop gets to the periodic writes once a day; they cost most of the run.
        if (tick % 8640 == 4320) {
            EXPECT_EQ(loop->runPosted(), 1);
        }
        clock->advance(10);
    }
    store->performSave();
    EXPECT_LE(largestFile, 91u);
    EXPECT_EQ(store->history().dailySnapshots.size(), 91u);
    auto reloaded = UsageStore(dir.path(), clock, loop);
    reloaded.load();
    EXPECT_EQ(std::tie(reloaded.history(), reloaded.healthEntries()), std::tie(store->history(), store->healthEntries()));
    EXPECT_EQ(reloaded.healthEntries().size(), 91u);
}

}  // namespace
}  // namespace corvelle
