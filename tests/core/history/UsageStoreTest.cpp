#include "history/UsageStore.h"
#include "model/ProfileClassification.h"
#include "model/SystemStats.h"
#include "util/AtomicFile.h"
#include "util/JsonFields.h"

#include "support/Each.h"
#include "support/FakeClock.h"
#include "support/Fixtures.h"
#include "support/FilesIn.h"
#include "support/ManualEventLoop.h"
#include "support/ScopedTimeZone.h"
#include "support/StatsBuilder.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cerrno>
#include <cmath>
#include <cstring>

namespace corvelle {
namespace {

using test::filesIn;
using test::kMadrid;

DailySnapshot recordOf(const std::string& date, std::int64_t samples = 1) {
    auto record = DailySnapshot::empty(date, 1751000000);
    record.sampleCount = samples;
    return record;
}

BatteryHealthEntry entryOf(const std::string& date, double health = 95) {
    return BatteryHealthEntry{date, health, 100, 4000, 4200, 45, 8};
}

std::string dailyText(const std::vector<std::string>& dates) {
    UsageHistory history;
    for (const auto& date : dates) history.dailySnapshots.push_back(recordOf(date));
    return *JsonFields::encodeJson(history);
}

std::string healthText(const std::vector<std::string>& dates) {
    return *JsonFields::encodeJson(test::each(dates, [](const std::string& date) { return entryOf(date); }));
}

std::vector<std::string> datesOf(const auto& list) {
    return test::each(list, [](const auto& element) { return element.date; });
}

struct UsageStoreTest : ::testing::Test {
    test::ScopedTimeZone zone{kMadrid};
    test::TempDir dir;
    std::shared_ptr<test::FakeClock> clock =
        std::make_shared<test::FakeClock>(test::localMoment(2025, 6, 30, 12, 0));
    std::shared_ptr<test::ManualEventLoop> loop = std::make_shared<test::ManualEventLoop>(*clock);
    std::filesystem::path folder = dir / "io.mirelo.corvelle";

    std::unique_ptr<UsageStore> makeStore() { return std::make_unique<UsageStore>(folder, clock, loop); }
    void write(const std::string& name, const std::string& text) {
        std::filesystem::create_directories(folder);
        ASSERT_TRUE(AtomicFile::write(folder / name, text));
    }
    std::string read(const std::string& name) { return AtomicFile::read(folder / name).value_or("<none>"); }
};

TEST_F(UsageStoreTest, LoadKeepsExactlyNinetyCalendarDays) {
    const struct { double now; std::string removed, kept; } cases[] = {
        {test::localMoment(2025, 6, 30, 12, 0), "2025-03-31", "2025-04-01"},
        {test::localMoment(2025, 6, 30, 0, 5), "2025-03-31", "2025-04-01"},
        {test::localMoment(2024, 5, 30, 23, 55), "2024-02-29", "2024-03-01"},
        // Across the spring-forward day: calendar days, not multiples of 24 hours.
        {test::localMoment(2025, 4, 15, 0, 30), "2025-01-14", "2025-01-15"},
    };
    for (const auto& c : cases) {
        clock->setNow(c.now);
        const auto today = UsageStore::dateString(c.now);
        write("daily-summaries.json", dailyText({today, c.removed, c.kept}));
        write("health-history.json", healthText({c.removed, c.kept, today}));
        auto store = makeStore();
        store->load();
        EXPECT_EQ(datesOf(store->history().dailySnapshots), (std::vector<std::string>{c.kept, today})) << today;
        EXPECT_EQ(datesOf(store->healthEntries()), (std::vector<std::string>{c.kept, today})) << today;
        EXPECT_FALSE(store->isDirty());
    }
}

TEST_F(UsageStoreTest, ADamagedFileIsMovedAsideAndTheOtherFileStillLoads) {
    const auto good = dailyText({"2025-06-29"}), goodHealth = healthText({"2025-06-29"});
    auto missingHours = nlohmann::json::parse(good);
    missingHours["dailySnapshots"][0].erase("hourlyFingerprints");
    const struct { const char* name; std::string daily, health; } damages[] = {
        {"not JSON", "{\"dailySnapshots\": [", goodHealth}, {"empty file", "", goodHealth},
        {"a record without its hours", missingHours.dump(), goodHealth}, {"the wrong top-level type", "[]", goodHealth},
        {"a number as the list", R"({"dailySnapshots":3,"schemaVersion":1})", goodHealth},
        {"a health entry without its figures", good, R"([{"date":"2025-06-29"}])"},
    };
    const auto stamp = std::to_string(static_cast<long long>(clock->now()));
    for (const auto& damage : damages) {
        std::filesystem::remove_all(folder);
        write("daily-summaries.json", damage.daily);
        write("health-history.json", damage.health);
        auto store = makeStore();
        store->load();
        const bool dailyDamaged = damage.daily != good;
        const auto& [file, text] = dailyDamaged ? std::pair("daily-summaries", damage.daily) : std::pair("health-history", damage.health);
        EXPECT_EQ(std::make_tuple(store->history().dailySnapshots.size(), store->healthEntries().size(),
                                  read(file + std::string(".json")), read(file + (".corrupt-" + stamp + ".json"))),
                  std::make_tuple(size_t{!dailyDamaged}, size_t{dailyDamaged}, std::string("<none>"), text)) << damage.name;
    }
}

// One damaged day costs that day only: the others load, the original stays aside.
TEST_F(UsageStoreTest, APartlyDamagedHistoryKeepsEveryDayThatDecodes) {
    auto days = nlohmann::json::parse(dailyText({"2025-06-27", "2025-06-28", "2025-06-29"}));
    days["dailySnapshots"][1].erase("hourlyFingerprints");
    write("daily-summaries.json", days.dump());
    auto store = makeStore();
    store->load();
    EXPECT_EQ(datesOf(store->history().dailySnapshots), (std::vector<std::string>{"2025-06-27", "2025-06-29"}));
    EXPECT_TRUE(store->isDirty()) << "the kept days are saved in the original's place";
    const auto stamp = std::to_string(static_cast<long long>(clock->now()));
    EXPECT_EQ(read("daily-summaries.corrupt-" + stamp + ".json"), days.dump());
}

TEST_F(UsageStoreTest, TodayAndRecentRecords) {
    write("daily-summaries.json", dailyText({"2025-06-28", "2025-06-20", "2025-06-24"}));
    auto store = makeStore();
    store->load();
    auto today = store->todaySnapshot();
    EXPECT_EQ(today, DailySnapshot::empty("2025-06-30", clock->now()));
    // Asking does not store.
    EXPECT_EQ(std::make_tuple(store->history().dailySnapshots.size(), store->isDirty()), std::make_tuple(size_t{3}, false));

    EXPECT_EQ(datesOf(store->recentSnapshots(7)), (std::vector<std::string>{"2025-06-20", "2025-06-24", "2025-06-28"}));
    EXPECT_EQ(datesOf(store->recentSnapshots(2)), (std::vector<std::string>{"2025-06-24", "2025-06-28"}));
    EXPECT_TRUE(store->recentSnapshots(0).empty());

    today.sampleCount = 5;
    store->updateTodaySnapshot(today);
    today.sampleCount = 6;
    store->updateTodaySnapshot(today);
    EXPECT_EQ(std::make_tuple(store->history().dailySnapshots.size(), store->todaySnapshot().sampleCount),
              std::make_tuple(size_t{4}, std::int64_t{6}));
    store->updateTodaySnapshot(recordOf("2025-06-24", 9));
    EXPECT_EQ(store->recentSnapshots(7)[1].sampleCount, 9);
}

TEST_F(UsageStoreTest, CreatesItsFolderAndThrottlesSavesThatRunLaterOnTheLoopWhileItLives) {
    auto store = makeStore();
    EXPECT_TRUE(std::filesystem::is_directory(folder));
    store->load();
    store->saveIfNeeded();  // clean: nothing to do
    EXPECT_EQ(loop->runPosted(), 0);
    EXPECT_EQ(filesIn(folder), 0u);

    store->updateTodaySnapshot(recordOf("2025-06-30", 1));
    store->saveIfNeeded();
    EXPECT_EQ(read("daily-summaries.json"), "<none>");  // the call itself writes nothing
    EXPECT_EQ(loop->runPosted(), 1);
    EXPECT_FALSE(store->isDirty());
    EXPECT_NE(read("daily-summaries.json"), "<none>");

    const auto askAfter = [&](double seconds, int samples) {
        store->updateTodaySnapshot(recordOf("2025-06-30", samples));
        loop->advance(seconds);
        store->saveIfNeeded();
    };
    askAfter(299, 2);
    EXPECT_EQ(loop->runPosted(), 0);
    askAfter(1, 2);
    store->saveIfNeeded();  // one write is enough for both requests
    EXPECT_EQ(loop->runPosted(), 1);
    const auto saved = read("daily-summaries.json");
    EXPECT_EQ(JsonFields::decodeJson<UsageHistory>(saved)->dailySnapshots[0].sampleCount, 2);

    // A deferred save that runs after the store is gone does nothing.
    askAfter(300, 3);
    store.reset();
    EXPECT_EQ(loop->runPosted(), 1);
    EXPECT_EQ(read("daily-summaries.json"), saved);
}

TEST_F(UsageStoreTest, SavedFilesAreCompactSortedAndLoadBackEqual) {
    auto store = makeStore();
    auto record = store->todaySnapshot();
    SystemStats stats = test::StatsBuilder().cpu(33.25).apps({{"Zed", 4}, {"Alpha", 2}}).battery(57, test::Power::battery, 7.25);
    stats.thermalLevel = ThermalLevel::moderate;  // every section of the record holds figures
    record.fold(stats, 2, clock->now());
    store->updateTodaySnapshot(record);
    store->addHealthEntry(entryOf("2025-06-30"));
    store->addHealthEntry(entryOf("2025-06-29"));  // kept in date order
    store->performSave();
    const auto daily = read("daily-summaries.json");
    // One line, keys sorted, times in UTC.
    EXPECT_TRUE(daily.starts_with(R"({"dailySnapshots":[{"appCPUTotals":{"Alpha":2.0,"Zed":4.0},)") &&
                daily.find('\n') == std::string::npos && daily.ends_with(R"(,"schemaVersion":1})") &&
                daily.find(R"("firstSampleAt":"2025-06-30T10:00:00Z")") != std::string::npos) << daily;
    EXPECT_EQ(read("health-history.json").rfind(R"([{"avgDischargeWatts":8.0,"avgTemperature":45.0,)", 0), 0u);

    auto reloaded = makeStore();
    reloaded->load();
    EXPECT_EQ(reloaded->history(), store->history());
    EXPECT_EQ(datesOf(reloaded->healthEntries()), (std::vector<std::string>{"2025-06-29", "2025-06-30"}));
}

// Files saved by earlier builds load, and saving them again writes the same bytes; files in
// another key order and with whole numbers for figures load to the same records.
TEST(StoredRecords, RecordedFilesLoadAndSaveUnchanged) {
    const auto resave = [](const std::string& name, auto decode) {
        const auto text = AtomicFile::read(test::fixture("history/" + name)).value_or("");
        const auto record = decode(text);
        return record ? JsonFields::encodeJson(*record).value_or("<unencodable>") : "<undecodable>";
    };
    const auto daily = [](const std::string& text) { return JsonFields::decodeJson<UsageHistory>(text); };
    const auto health = [](const std::string& text) { return JsonFields::decodeJson<std::vector<BatteryHealthEntry>>(text); };
    const auto profile = [](const std::string& text) { return JsonFields::decodeJson<ProfileClassification>(text); };
    const auto saved = [](const std::string& name) { return AtomicFile::read(test::fixture("history/saved/" + name)); };
    for (const char* from : {"saved/", "ten-days/"}) {
        EXPECT_EQ(resave(from + std::string("daily-summaries.json"), daily), saved("daily-summaries.json")) << from;
        EXPECT_EQ(resave(from + std::string("health-history.json"), health), saved("health-history.json")) << from;
    }
    EXPECT_EQ(resave("saved/profile.json", profile), saved("profile.json"));
}

// The errno the sync hook fails with; 0 lets writes through.
int injectedError = 0;
bool failingSync(std::FILE*) {
    errno = injectedError;
    return injectedError == 0;
}

size_t linesWith(const std::string& log, const std::string& text) {
    size_t count = 0;
    for (auto at = log.find(text); at != std::string::npos; at = log.find(text, at + 1)) ++count;
    return count;
}

// A full disk, a read-only file system, a refused permission: the old files stay, each kind is
// logged once per file however often the save is retried, and the save goes through once it can.
TEST_F(UsageStoreTest, AFailedSaveKeepsTheOldFileLogsOncePerKindAndSavesAgainLater) {
    injectedError = 0;
    UsageStore store(DataFolder(folder, failingSync), clock, loop);
    store.updateTodaySnapshot(recordOf("2025-06-30", 1));
    store.performSave();
    const auto saved = read("daily-summaries.json");
    std::int64_t samples = 1;
    for (int error : {ENOSPC, EROFS, EACCES}) {
        injectedError = error;
        testing::internal::CaptureStderr();
        for (int attempt = 0; attempt < 3; ++attempt) {
            store.updateTodaySnapshot(recordOf("2025-06-30", ++samples));
            loop->advance(300);
            store.saveIfNeeded();
            loop->runPosted();
        }
        const auto log = testing::internal::GetCapturedStderr();
        EXPECT_EQ(linesWith(log, std::strerror(error)), 2u) << log;  // the daily file and the health file
        EXPECT_EQ(read("daily-summaries.json"), saved);
        EXPECT_EQ(filesIn(folder), 2u) << "no temporary file is left";
        EXPECT_TRUE(store.isDirty());
    }
    injectedError = 0;
    testing::internal::CaptureStderr();
    store.performSave();
    EXPECT_EQ(linesWith(testing::internal::GetCapturedStderr(), "again"), 2u);
    EXPECT_FALSE(store.isDirty());
    EXPECT_EQ(JsonFields::decodeJson<UsageHistory>(read("daily-summaries.json"))->dailySnapshots[0].sampleCount, samples);
}

// A figure that JSON cannot hold, which only a fault could put in memory, costs that figure alone:
// the record and the other days are saved.
TEST_F(UsageStoreTest, AFigureThatCannotBeWrittenIsSavedAsNoReadingWithTheOtherDays) {
    auto store = makeStore();
    store->updateTodaySnapshot(recordOf("2025-06-29", 3));
    auto spoiled = recordOf("2025-06-30", 2);
    spoiled.cpu.avgTotal = NAN;
    spoiled.power.totalEnergyWh = INFINITY;
    store->updateTodaySnapshot(spoiled);
    testing::internal::CaptureStderr();
    store->performSave();
    store->performSave();
    EXPECT_EQ(linesWith(testing::internal::GetCapturedStderr(), "2 figures that cannot be written"), 1u);
    EXPECT_FALSE(store->isDirty());
    const auto saved = JsonFields::decodeJson<UsageHistory>(read("daily-summaries.json")).value().dailySnapshots;
    EXPECT_EQ(datesOf(saved), (std::vector<std::string>{"2025-06-29", "2025-06-30"}));
    EXPECT_EQ(std::make_tuple(saved[1].sampleCount, saved[1].cpu.avgTotal, saved[1].power.totalEnergyWh),
              std::make_tuple(std::int64_t{2}, 0.0, 0.0));
}

// A recorded history as a hand edit, a clock that was ahead and an earlier fault leave it (see
// its README): one record per past day, no figure that no day can hold, the later days kept aside
// in the file, and today's samples still folded and saved; a later day comes in with its day.
TEST_F(UsageStoreTest, AHandEditedHistoryLoadsCheckedAndKeepsSaving) {
    clock->setNow(test::localMoment(2025, 6, 15, 12, 0));
    for (const std::string name : {"daily-summaries.json", "health-history.json"}) {
        write(name, AtomicFile::read(test::fixture("history/hand-edited/" + name)).value());
    }
    testing::internal::CaptureStderr();
    auto store = makeStore();
    store->load();
    const auto said = testing::internal::GetCapturedStderr();
    for (const char* note : {"holds 1 damaged record and 1 earlier record of a repeated day;",
                             "holds 5 figures that no day can hold", "holds 2 days after today (2025-06-16 to 2099-12-31)",
                             "holds 1 earlier record of a repeated day;", "holds 1 figure", "holds 1 day after today (2099-12-31)"}) {
        EXPECT_NE(said.find(note), std::string::npos) << note << "\n" << said;
    }
    const auto& days = store->history().dailySnapshots;
    const std::vector<std::string> past{"2025-06-10", "2025-06-11", "2025-06-12", "2025-06-13", "2025-06-14", "2025-06-15"};
    EXPECT_EQ(datesOf(days), past);
    EXPECT_EQ(datesOf(store->recentSnapshots(7)), past);
    EXPECT_EQ(std::make_tuple(days[3].sampleCount, days[3].cpu.avgTotal), std::make_tuple(std::int64_t{100}, 11.0));
    EXPECT_EQ(std::make_tuple(days[2].cpu.avgTotal, days[2].battery.minPercent, days[2].appCPUTotals.count("Code"),
                              days[2].hourlyFingerprints[9].avgWatts, days[5].power.avgSystemWatts),
              std::make_tuple(0.0, 100.0, size_t{0}, 0.0, 0.0));
    EXPECT_EQ(datesOf(store->healthEntries()), (std::vector<std::string>{"2025-06-12", "2025-06-13", "2025-06-14"}));
    EXPECT_EQ(std::make_tuple(store->healthEntries()[0].healthPercent, store->healthEntries()[1].healthPercent),
              std::make_tuple(0.0, 90.5));
    const auto stamp = std::to_string(static_cast<long long>(clock->now()));
    EXPECT_EQ(read("daily-summaries.corrupt-" + stamp + ".json"),
              AtomicFile::read(test::fixture("history/hand-edited/daily-summaries.json")));

    auto today = store->todaySnapshot();
    ASSERT_TRUE(today.fold(test::StatsBuilder().cpu(20).battery(50), 2, clock->now()));
    store->updateTodaySnapshot(today);
    store->performSave();
    EXPECT_FALSE(store->isDirty());
    const auto saved = JsonFields::decodeJson<UsageHistory>(read("daily-summaries.json")).value().dailySnapshots;
    EXPECT_EQ(datesOf(saved).back(), "2099-12-31");
    EXPECT_EQ(saved[5].sampleCount, today.sampleCount);
    EXPECT_NE(read("health-history.json").find("2099-12-31"), std::string::npos);

    clock->setNow(test::localMoment(2025, 6, 16, 0, 5));
    store->prune();
    EXPECT_EQ(datesOf(store->recentSnapshots(2)), (std::vector<std::string>{"2025-06-15", "2025-06-16"}));
}

TEST_F(UsageStoreTest, AnUnusableFolderFailsQuietly) {
    AtomicFile::write(dir / "blocker", "a file where the folder should be");
    UsageStore store(dir / "blocker" / "io.mirelo.corvelle", clock, loop);
    store.load();
    store.updateTodaySnapshot(store.todaySnapshot());
    store.performSave();
    EXPECT_TRUE(store.isDirty());
    EXPECT_EQ(store.history().dailySnapshots.size(), 1u);
}

TEST(UsageStoreDateString, FollowsTheLocalCalendar) {
    const double lateEvening = 1751326200;  // 2025-06-30T23:30:00Z
    const struct { const char* zone; const char* key; } cases[] = {
        {"UTC0", "2025-06-30"}, {kMadrid, "2025-07-01"}, {"<+14>-14", "2025-07-01"},
    };
    for (const auto& c : cases) {
        test::ScopedTimeZone zone(c.zone);
        EXPECT_EQ(UsageStore::dateString(lateEvening), c.key) << c.zone;
    }
}

}  // namespace
}  // namespace corvelle
