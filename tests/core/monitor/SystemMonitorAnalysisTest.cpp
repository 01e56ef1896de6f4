#include "support/AnalysisDays.h"
#include "support/MonitorHarness.h"
#include "support/SavedFile.h"
#include "support/ScopedTimeZone.h"

#include <gtest/gtest.h>

namespace corvelle {
namespace {

constexpr double june30Noon = 1751284800;  // 2025-06-30T12:00:00Z

// Days ending on 2025-06-29, oldest first.
std::vector<std::string> daysBeforeJune30(int count) {
    std::vector<std::string> dates;
    for (int i = count; i >= 1; --i) dates.push_back(UsageStore::dateString(june30Noon - i * 86400.0));
    return dates;
}

void seedRecords(const test::MonitorHarness& h, const std::vector<std::string>& dates) {
    UsageHistory history;
    for (const auto& date : dates) history.dailySnapshots.push_back(test::balancedDay(date));
    ASSERT_TRUE(test::saveFile(h.dir / "daily-summaries.json", history));
}

std::optional<ProfileClassification> savedProfile(const test::MonitorHarness& h) {
    return test::savedFile<ProfileClassification>(h.dir / "profile.json");
}

// A monitor harness in UTC at noon on 2025-06-30.
struct AnalysisHarness : test::MonitorHarness {
    test::ScopedTimeZone zone{"UTC0"};
    AnalysisHarness() { clock->setNow(june30Noon); }
};

TEST(SystemMonitorAnalysis, StartPublishesTheAnalysesOfTheStoredHistory) {
    AnalysisHarness h;
    const auto dates = daysBeforeJune30(10);
    seedRecords(h, dates);
    // Health falls 0.25 % every 8 cycles, 8 cycles a day: the line reaches 80 % at 580 cycles.
    std::vector<BatteryHealthEntry> entries;
    for (int i = 0; i < 10; ++i) entries.push_back({dates[i], 95.0 - 0.25 * i, 100 + 8 * i, 4000, 4500, 45, 6});
    ASSERT_TRUE(test::saveFile(h.dir / "health-history.json", entries));

    auto& monitor = h.make();
    int notifications = 0;
    const auto a = monitor.usageProfile().subscribe([&](const auto&) { ++notifications; });
    const auto b = monitor.healthPrediction().subscribe([&](const auto&) { ++notifications; });
    const auto c = monitor.habitScore().subscribe([&](const auto&) { ++notifications; });
    monitor.start();

    // The engines' figures are tested with the engines; here: each got the stored records, in order.
    const auto profile = monitor.usageProfile().get().value();
    EXPECT_EQ(std::tie(profile.primary, profile.daysAnalyzed, profile.classifiedAt),
              std::make_tuple(UsageProfile::moderate, std::int64_t{7}, june30Noon));
    EXPECT_EQ(savedProfile(h), profile);
    const auto prediction = monitor.healthPrediction().get().value();
    EXPECT_EQ(std::make_tuple(prediction.dataPointCount, prediction.estimatedCyclesTo80, monitor.habitScore().get()->overall),
              std::make_tuple(std::int64_t{10}, std::optional<std::int64_t>(580 - 172), std::int64_t{100}));
    // The restored profile (none), then one refresh of each.
    EXPECT_EQ(notifications, 4);
    monitor.stop();
}

TEST(SystemMonitorAnalysis, TooFewRecordsKeepTheCachedProfile) {
    AnalysisHarness h;
    seedRecords(h, daysBeforeJune30(2));
    const ProfileClassification cached{UsageProfile::developer, 0.8, UsageProfile::powerUser, 0.5, june30Noon - 5e5, 7};
    ASSERT_TRUE(test::saveFile(h.dir / "profile.json", cached));

    h.make().start();
    EXPECT_EQ(std::make_tuple(h.monitor->usageProfile().get(), savedProfile(h), h.monitor->healthPrediction().get().has_value(),
                              h.monitor->habitScore().get()->overall),
              std::make_tuple(std::optional(cached), std::optional(cached), false, std::int64_t{100}));
}

TEST(SystemMonitorAnalysis, ADamagedProfileFileGivesNoProfileAndIsMovedAside) {
    for (const char* damaged : {"{\"primary\":\"Light\"", "{\"primary\":\"Gamer\",\"primaryScore\":1}", ""}) {
        AnalysisHarness h;
        ASSERT_TRUE(AtomicFile::write(h.dir / "profile.json", damaged));
        h.make().start();
        EXPECT_FALSE(h.monitor->usageProfile().get()) << damaged;
        EXPECT_TRUE(std::filesystem::exists(h.dir / "profile.corrupt-1751284800.json")) << damaged;
        EXPECT_FALSE(std::filesystem::exists(h.dir / "profile.json")) << damaged;
    }
}

TEST(SystemMonitorAnalysis, TheFirstTickOfANewDayReclassifies) {
    AnalysisHarness h;
    h.clock->setNow(june30Noon - 12 * 3600 - 10);  // 2025-06-29 23:59:50
    seedRecords(h, {"2025-06-27", "2025-06-28"});
    h.settings.setPollingInterval(2);
    auto& monitor = h.make();
    monitor.start();  // the first tick makes a record of 06-29, a third one
    EXPECT_FALSE(monitor.usageProfile().get());

    std::vector<std::optional<ProfileClassification>> published;
    const auto subscription = monitor.usageProfile().subscribe([&](const auto& value) { published.push_back(value); });
    h.loop->advance(11);
    ASSERT_EQ(published.size(), 1u);
    EXPECT_EQ(published[0].value().daysAnalyzed, 3);
    EXPECT_EQ(savedProfile(h), published[0]);
}

}  // namespace
}  // namespace corvelle
