#include "analysis/UsageProfileEngine.h"
#include "util/JsonFields.h"

#include "support/AnalysisDays.h"
#include "support/Each.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

namespace corvelle {
namespace {

using namespace UsageProfileEngine;

constexpr double now = 1751284800;  // 2025-06-30T12:00:00Z

DailySnapshot day(std::map<std::string, double> apps = {}) {
    auto record = DailySnapshot::empty("2025-06-01", 0);
    record.appPresenceMinutes = std::move(apps);
    return record;
}

TEST(UsageProfileEngine, IdleBalancedAndNoDays) {
    const auto balanced = test::balancedDay();
    // A balanced week: meeting, the runner-up at 0.405, is not above half.
    const std::pair<std::vector<DailySnapshot>, ProfileClassification> cases[] = {
        {{day(), day(), day()}, {UsageProfile::light, 1.0, std::nullopt, std::nullopt, now, 3}},
        {{balanced, balanced, balanced}, {UsageProfile::moderate, 1.0, std::nullopt, std::nullopt, now, 3}},
        {{}, {UsageProfile::moderate, 0.5, std::nullopt, std::nullopt, now, 0}},
    };
    for (const auto& [days, expected] : cases) EXPECT_EQ(classify(days, now), expected) << days.size();
}

TEST(UsageProfileEngine, CpuFiguresAndApplicationSharesAcrossDays) {
    auto quiet = day(), busy = day();
    quiet.cpu = {.avgTotal = 10, .peakTotal = 50, .samplesAbove40 = 10};
    busy.cpu = {.avgTotal = 30, .peakTotal = 70, .samplesAbove40 = 30};
    quiet.sampleCount = busy.sampleCount = 100;
    const auto m = aggregateMetrics({quiet, busy});
    // Population, not sample, deviation.
    EXPECT_EQ(std::tie(m.avgCPU, m.peakCPU, m.cpuVariability, m.highCPUFraction), std::make_tuple(20.0, 70.0, 10.0, 0.2));
    // Application shares, merged across days, and their diversity.
    struct Case { const char* name; std::vector<std::map<std::string, double>> days;
                  double dev, creative, meeting, diversity; };
    const std::vector<Case> cases{
        {"half the time in Xcode", {{{"Xcode", 60}, {"Safari", 60}}}, 1.0, 0, 0, 2},
        {"merged across days", {{{"Xcode", 10}, {"Safari", 60}}, {{"Xcode", 20}}}, 2.0 * 30 / 90, 0, 0, 2},
        {"names are case-sensitive", {{{"xcode", 60}, {"Safari", 60}}}, 0, 0, 0, 2},
        {"processes count too", {{{"cargo", 10}, {"avconferenced", 10}, {"Figma", 20}}}, 0.5, 1.0, 0.5, 3},
        {"no applications", {{}, {}}, 0, 0, 0, 0},
        {"little time", {{{"Zoom", 0.25}}}, 0, 0, 0.5, 1},  // total taken as at least one minute
    };
    for (const auto& c : cases) {
        const auto m = aggregateMetrics(test::each(c.days, [](const auto& apps) { return day(apps); }));
        EXPECT_EQ(std::tie(m.devShare, m.creativeShare, m.meetingShare, m.appDiversity),
                  std::tie(c.dev, c.creative, c.meeting, c.diversity)) << c.name;
    }
}

// A busy week (memory pressure 70, P-cores at 50 %, 20 W) is told apart by the applications it was spent in.
TEST(UsageProfileEngine, ClassifiesAWeekByItsApplicationsUnderEitherName) {
    const struct { std::map<std::string, double> apps; UsageProfile expected; } cases[] = {
        {{{"code", 200}, {"cc1plus", 150}, {"rust-analyzer", 50}, {"firefox", 100}}, UsageProfile::developer},
        {{{"Xcode", 300}, {"Safari", 100}}, UsageProfile::developer},
        {{{"zoom", 300}, {"firefox", 100}}, UsageProfile::meeting},
        {{{"zoom.us", 300}, {"Safari", 100}}, UsageProfile::meeting},
        {{{"gimp", 200}, {"kdenlive", 100}, {"firefox", 100}}, UsageProfile::creative},
        {{{"firefox", 400}}, UsageProfile::moderate},
    };
    for (const auto& c : cases) {
        auto record = test::balancedDay();
        record.memory.avgPressure = 70;
        record.cpu.avgPCore = 50;
        record.power.avgSystemWatts = 20;
        record.appPresenceMinutes = c.apps;
        EXPECT_EQ(classify(std::vector<DailySnapshot>(7, record), now).primary, c.expected) << c.apps.begin()->first;
    }
}

TEST(UsageProfileEngine, OnlyTheLastSevenRecordsCount) {
    auto hot = day({{"Xcode", 600}});
    hot.cpu.avgTotal = 95;
    std::vector<DailySnapshot> records{hot};
    for (int i = 0; i < 7; ++i) records.push_back(day());
    const auto result = classify(records, now);
    EXPECT_EQ(result.daysAnalyzed, 7);
    EXPECT_EQ(result, classify(std::vector<DailySnapshot>(records.begin() + 1, records.end()), now));
}

TEST(UsageProfileEngine, RunnerUpNeedsMoreThanHalfThePrimaryScore) {
    struct Case { std::array<double, 6> scores; UsageProfile primary; std::optional<UsageProfile> secondary; };
    const std::vector<Case> cases{
        {{0.4, 0.8, 0, 0, 0, 0}, UsageProfile::moderate, std::nullopt},
        {{0.40001, 0.8, 0, 0, 0, 0}, UsageProfile::moderate, UsageProfile::light},
        {{0.3, 0.3, 0.3, 0.3, 0.3, 0.3}, UsageProfile::light, UsageProfile::moderate},  // ties keep case order
        {{0, 0, 0.2, 0.6, 0.6, 0.1}, UsageProfile::creative, UsageProfile::developer},
        {{0, 0, 0, 0, 0, 0}, UsageProfile::light, std::nullopt},
    };
    for (const auto& c : cases) {
        const auto result = rank(c.scores);
        EXPECT_EQ(std::make_tuple(result.primary, result.secondary, result.secondaryScore.has_value()),
                  std::make_tuple(c.primary, c.secondary, c.secondary.has_value()));
    }
}

TEST(ProfileClassification, JsonLeavesAbsentRunnerUpOutRoundTripsAndRefusesWhatItCannotTrust) {
    const ProfileClassification alone{UsageProfile::powerUser, 0.75, std::nullopt, std::nullopt, now, 7};
    EXPECT_EQ(JsonFields::encodeJson(alone),
              R"({"classifiedAt":"2025-06-30T12:00:00Z","daysAnalyzed":7,"primary":"Power User","primaryScore":0.75})");
    // A profile without runner-up is saved and loaded back in SystemMonitorAnalysisTest.
    const ProfileClassification pair{UsageProfile::developer, 0.75, UsageProfile::meeting, 0.5, now, 5};
    EXPECT_EQ(JsonFields::decodeJson<ProfileClassification>(*JsonFields::encodeJson(pair)), pair);
    EXPECT_NE(JsonFields::encodeJson(pair)->find(R"("secondary":"Meeting Machine")"), std::string::npos);
    // Decoding refuses what it cannot trust.
    const std::vector<const char*> texts{
        R"({"classifiedAt":"2025-06-30T12:00:00Z","daysAnalyzed":7,"primary":"Gamer","primaryScore":0.75})",
        R"({"classifiedAt":"2025-06-30T12:00:00Z","daysAnalyzed":7,"primary":"Light","primaryScore":0.75,"secondary":"Creative"})",
        R"({"classifiedAt":"2025-06-30T12:00:00Z","daysAnalyzed":7,"primary":"Light","primaryScore":0.75,"secondaryScore":0.5})",
        R"({"classifiedAt":"yesterday","daysAnalyzed":7,"primary":"Light","primaryScore":0.75})",
        R"({"daysAnalyzed":7,"primary":"Light","primaryScore":0.75})",
        R"(["Light"])",
        "{",
    };
    for (const auto* text : texts) EXPECT_FALSE(JsonFields::decodeJson<ProfileClassification>(text)) << text;
}

}  // namespace
}  // namespace corvelle
