#include "analysis/BatteryTipsEngine.h"

#include "support/BilingualText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

namespace corvelle {
namespace {

using Severity = BatteryTip::Severity;
using Ids = std::vector<std::string>;

constexpr std::uint64_t MiB = 1024 * 1024;

// Plugged in at 50 %, idle: no rule fires.
SystemStats calm() {
    SystemStats s;
    s.batteryIsPluggedIn = true;
    s.batteryPercentage = 50;
    return s;
}

SystemStats onBattery(double percent, double watts = 8) {
    SystemStats s;
    s.batteryPercentage = percent;
    s.batteryWatts = watts;
    return s;
}

AppGroup group(const std::string& name, double cpu, std::uint64_t memory = 0) { return {name, cpu, memory, 1, 0}; }

HabitWarning warning(const std::string& id, HabitSeverity severity) {
    return {id, "flame.fill", id + " title", id + " detail", severity};
}

BatteryHealthPrediction prediction(DegradationRate rate, std::optional<std::int64_t> months = std::nullopt,
                                   ConfidenceLevel confidence = ConfidenceLevel::moderate) {
    BatteryHealthPrediction p;
    p.healthDropPerCycle = 0.0345;
    p.degradationRate = rate;
    p.estimatedMonthsTo80 = months;
    p.confidenceLevel = confidence;
    return p;
}

HabitScore habits(std::int64_t overall, const std::string& grade) {
    HabitScore h;
    h.overall = overall;
    h.grade = grade;
    return h;
}

ProfileClassification profileOf(UsageProfile primary) {
    ProfileClassification p;
    p.primary = primary;
    return p;
}

struct Inputs {
    SystemStats stats = calm();
    std::optional<ProfileClassification> profile;
    std::optional<BatteryHealthPrediction> prediction;
    std::optional<HabitScore> habitScore;
    std::vector<BatteryTip> generate() const {
        return BatteryTipsEngine::generate(stats, profile, prediction, habitScore);
    }
};

Ids ids(const std::vector<BatteryTip>& tips) {
    Ids result;
    for (const auto& tip : tips) result.push_back(tip.id);
    return result;
}

struct RuleCase {
    const char* name;
    std::function<void(Inputs&)> setUp;
    Ids expected;
};

void expectIds(const std::vector<RuleCase>& cases) {
    test::ScopedLanguage english("en");
    for (const auto& c : cases) {
        Inputs in;
        c.setUp(in);
        EXPECT_EQ(ids(in.generate()), c.expected) << c.name;
    }
}

TEST(BatteryTipsEngine, BatteryAndPowerRuleBoundaries) {
    expectIds({
        {"calm", [](Inputs&) {}, {}},
        {"on battery at 50 % and 8 W", [](Inputs& in) { in.stats = onBattery(50); }, {"healthy-range"}},
        // Drawing little and far above its baseline, but plugged in: none of the on-battery tips.
        {"plugged, idle, 85 %", [](Inputs& in) {
             in.stats.batteryPercentage = 85;
             in.stats.batteryWatts = 2;
             in.stats.batteryTimeRemaining = 7200;
             in.stats.systemBaselineWatts = 0.5;
         }, {"unplug-tip"}},
        {"plugged, idle, 80 %", [](Inputs& in) { in.stats.batteryPercentage = 80; }, {}},
        {"plugged, charging, 85 %", [](Inputs& in) {
             in.stats.batteryPercentage = 85;
             in.stats.batteryIsCharging = true;
         }, {}},
        {"charging at 99 %", [](Inputs& in) {
             in.stats.batteryPercentage = 99;
             in.stats.batteryIsCharging = true;
         }, {"charge-100-warn"}},
        {"charging at 98.9 %", [](Inputs& in) {
             in.stats.batteryPercentage = 98.9;
             in.stats.batteryIsCharging = true;
         }, {}},
        {"9 %", [](Inputs& in) { in.stats = onBattery(9); }, {"battery-critical"}},
        {"10 %", [](Inputs& in) { in.stats = onBattery(10); }, {"battery-low"}},
        {"20 %", [](Inputs& in) { in.stats = onBattery(20); }, {"healthy-range"}},
        {"80 %", [](Inputs& in) { in.stats = onBattery(80); }, {"healthy-range"}},
        {"80.1 % on battery", [](Inputs& in) { in.stats = onBattery(80.1); }, {}},
        {"15 W", [](Inputs& in) { in.stats = onBattery(50, 15); }, {"healthy-range"}},
        {"15.1 W", [](Inputs& in) { in.stats = onBattery(50, 15.1); }, {"high-watts", "healthy-range"}},
        {"exactly twice the baseline", [](Inputs& in) {
             in.stats = onBattery(50, 8);
             in.stats.systemBaselineWatts = 4;
         }, {"healthy-range"}},
        {"above twice the baseline", [](Inputs& in) {
             in.stats = onBattery(50, 8.1);
             in.stats.systemBaselineWatts = 4;
         }, {"above-baseline", "healthy-range"}},
        {"4.9 W", [](Inputs& in) { in.stats = onBattery(50, 4.9); }, {"great-efficiency", "healthy-range"}},
        {"5 W", [](Inputs& in) { in.stats = onBattery(50, 5); }, {"healthy-range"}},
        // Idle efficiency is produced here but always loses to great efficiency.
        {"30 % at 2 W", [](Inputs& in) {
             in.stats = onBattery(30, 2);
             in.stats.batteryTimeRemaining = 7200;
         }, {"great-efficiency", "healthy-range"}},
        {"15 % at 2 W: low battery drops both efficiency tips", [](Inputs& in) {
             in.stats = onBattery(15, 2);
             in.stats.batteryTimeRemaining = 7200;
         }, {"battery-low"}},
    });
}

TEST(BatteryTipsEngine, LoadRuleBoundaries) {
    expectIds({
        {"thermal moderate", [](Inputs& in) { in.stats.thermalLevel = ThermalLevel::moderate; }, {}},
        {"thermal heavy", [](Inputs& in) { in.stats.thermalLevel = ThermalLevel::heavy; }, {"thermal"}},
        {"thermal sleeping", [](Inputs& in) { in.stats.thermalLevel = ThermalLevel::sleeping; }, {"thermal"}},
        {"pressure 50", [](Inputs& in) { in.stats.memoryPressure = 50; }, {}},
        {"pressure 50.1", [](Inputs& in) { in.stats.memoryPressure = 50.1; }, {"memory-early"}},
        {"pressure 75", [](Inputs& in) { in.stats.memoryPressure = 75; }, {"memory-early"}},
        {"pressure 75.1", [](Inputs& in) { in.stats.memoryPressure = 75.1; }, {"memory-pressure"}},
        {"P-cores 30", [](Inputs& in) { in.stats.pCoreAverage = 30; }, {}},
        {"P-cores 60", [](Inputs& in) { in.stats.pCoreAverage = 60; }, {"cores-active"}},
        {"P-cores 60.1", [](Inputs& in) { in.stats.pCoreAverage = 60.1; }, {"cpu-busy"}},
        {"P-cores 65 with a busy app", [](Inputs& in) {
             in.stats.pCoreAverage = 65;
             in.stats.appGroups = {group("Render", 40)};
         }, {"cpu-busy"}},
        {"P-cores 45 with a busy app", [](Inputs& in) {
             in.stats.pCoreAverage = 45;
             in.stats.appGroups = {group("Render", 40)};
         }, {"heavy-app", "cores-active"}},
        {"app at 25 %", [](Inputs& in) { in.stats.appGroups = {group("Render", 25)}; }, {}},
        {"fans at 2000", [](Inputs& in) { in.stats.fanSpeeds = {1200, 2000}; }, {}},
        {"fans at 2001", [](Inputs& in) { in.stats.fanSpeeds = {2001, 1200}; }, {"fans-spinning"}},
        {"disk at 100 MB/s", [](Inputs& in) {
             in.stats.diskReadBytesPerSec = 60000000;
             in.stats.diskWriteBytesPerSec = 40000000;
         }, {}},
        {"disk above 100 MB/s", [](Inputs& in) { in.stats.diskWriteBytesPerSec = 100000001; }, {"disk-busy"}},
        {"disk counters at their limit", [](Inputs& in) {
             in.stats.diskReadBytesPerSec = std::numeric_limits<std::uint64_t>::max();
             in.stats.diskWriteBytesPerSec = 2;
         }, {"disk-busy"}},
        {"network at 5 MB/s", [](Inputs& in) { in.stats.networkInBytesPerSec = 5000000; }, {}},
        {"network above 5 MB/s", [](Inputs& in) {
             in.stats.networkInBytesPerSec = 5000000;
             in.stats.networkOutBytesPerSec = 1;
         }, {"network-active"}},
    });
}

TEST(BatteryTipsEngine, ProcessSpikesAndProfiles) {
    const auto developerOnBattery = [](std::vector<AppGroup> groups) {
        return [groups](Inputs& in) {
            in.stats = onBattery(50, 12);
            in.stats.appGroups = groups;
            in.profile = profileOf(UsageProfile::developer);
        };
    };
    const auto powerUserWith = [](int activeApps, bool pluggedIn) {
        return [=](Inputs& in) {
            in.stats = onBattery(50);
            in.stats.batteryIsPluggedIn = pluggedIn;
            for (int i = 0; i < activeApps; ++i) in.stats.appGroups.push_back(group("App" + std::to_string(i), 3.1));
            in.stats.appGroups.push_back(group("Idle", 3.0));
            in.profile = profileOf(UsageProfile::powerUser);
        };
    };
    expectIds({
        {"ratio 3.0", [](Inputs& in) { in.stats.processComparisons = {{"Sync", 30, 10, 3.0}}; }, {}},
        {"CPU 15", [](Inputs& in) { in.stats.processComparisons = {{"Sync", 15, 1, 15}}; }, {}},
        {"spike takes the first match and silences heavy-app", [](Inputs& in) {
             in.stats.processComparisons = {{"Calm", 10, 1, 10}, {"Sync", 40, 5, 8}, {"Other", 90, 1, 90}};
             in.stats.appGroups = {group("Sync", 40)};
         }, {"process-Sync"}},
        {"spike and thermal emergency", [](Inputs& in) {
             in.stats.processComparisons = {{"Sync", 40, 5, 8}};
             in.stats.thermalLevel = ThermalLevel::trapping;
         }, {"thermal", "process-Sync"}},
        {"developer: first build tool at 20 % hides a later busy one",
         developerOnBattery({group("Xcode", 20), group("swift-frontend", 80)}), {"healthy-range"}},
        {"developer: busy build tool replaces heavy-app",
         developerOnBattery({group("swift-build", 31), group("Xcode", 10)}), {"profile-dev", "healthy-range"}},
        {"developer: names match exactly", developerOnBattery({group("xcode", 20), group("Xcodes", 50)}),
         {"healthy-range"}},
        {"developer plugged in", [](Inputs& in) {
             in.stats.appGroups = {group("Xcode", 50)};
             in.profile = profileOf(UsageProfile::developer);
         }, {"heavy-app"}},
        {"power user with 9 active apps", powerUserWith(9, false), {"profile-power", "healthy-range"}},
        {"power user with 8 active apps", powerUserWith(8, false), {"healthy-range"}},
        {"power user plugged in", powerUserWith(9, true), {}},
        {"creative at 3.1 W GPU", [](Inputs& in) {
             in.stats = onBattery(50);
             in.stats.gpuPowerWatts = 3.1;
             in.profile = profileOf(UsageProfile::creative);
         }, {"profile-creative", "healthy-range"}},
        {"creative at 3 W GPU", [](Inputs& in) {
             in.stats = onBattery(50);
             in.stats.gpuPowerWatts = 3;
             in.profile = profileOf(UsageProfile::creative);
         }, {"healthy-range"}},
        {"meeting at 39 %", [](Inputs& in) {
             in.stats = onBattery(39);
             in.profile = profileOf(UsageProfile::meeting);
         }, {"profile-meeting", "healthy-range"}},
        {"meeting at 40 %", [](Inputs& in) {
             in.stats = onBattery(40);
             in.profile = profileOf(UsageProfile::meeting);
         }, {"healthy-range"}},
        {"light profile", [](Inputs& in) {
             in.stats = onBattery(30);
             in.stats.gpuPowerWatts = 9;
             in.profile = profileOf(UsageProfile::light);
         }, {"healthy-range"}},
    });
}

TEST(BatteryTipsEngine, AnalysisRulesAndContradictions) {
    expectIds({
        {"habit score 79", [](Inputs& in) { in.habitScore = habits(79, "C+"); }, {}},
        {"habit score 80", [](Inputs& in) { in.habitScore = habits(80, "B"); }, {"good-habits"}},
        {"normal wear", [](Inputs& in) { in.prediction = prediction(DegradationRate::normal); }, {}},
        {"accelerated wear", [](Inputs& in) { in.prediction = prediction(DegradationRate::accelerated); },
         {"degradation-warning"}},
        {"23 months, moderate confidence",
         [](Inputs& in) { in.prediction = prediction(DegradationRate::normal, 23); }, {"health-prediction"}},
        {"24 months", [](Inputs& in) { in.prediction = prediction(DegradationRate::normal, 24); }, {}},
        {"23 months, low confidence",
         [](Inputs& in) { in.prediction = prediction(DegradationRate::normal, 23, ConfidenceLevel::low); }, {}},
        {"two of three habit warnings", [](Inputs& in) {
             in.prediction = prediction(DegradationRate::normal);
             in.prediction->habitWarnings = {warning("a", HabitSeverity::info), warning("b", HabitSeverity::info),
                                             warning("c", HabitSeverity::critical)};
         }, {"habit-a", "habit-b"}},
        {"repeated warning id kept once", [](Inputs& in) {
             in.prediction = prediction(DegradationRate::normal);
             in.prediction->habitWarnings = {warning("a", HabitSeverity::info), warning("a", HabitSeverity::info)};
         }, {"habit-a"}},
        {"a critical third warning still silences good habits", [](Inputs& in) {
             in.habitScore = habits(90, "A");
             in.prediction = prediction(DegradationRate::normal);
             in.prediction->habitWarnings = {warning("a", HabitSeverity::info), warning("b", HabitSeverity::info),
                                             warning("c", HabitSeverity::critical)};
         }, {"habit-a", "habit-b"}},
        {"fast wear despite good habits", [](Inputs& in) {
             in.habitScore = habits(90, "A");
             in.prediction = prediction(DegradationRate::severe);
         }, {"degradation-warning"}},
    });
}

TEST(BatteryTipsEngine, WearDespiteGoodHabitsRewritesTheWarningEvenWhenACriticalHabitAlsoApplies) {
    test::ScopedLanguage english("en");
    Inputs in;
    in.habitScore = habits(92, "A");
    in.prediction = prediction(DegradationRate::accelerated);
    in.prediction->habitWarnings = {warning("hot-battery", HabitSeverity::critical)};
    const auto tips = in.generate();
    ASSERT_EQ(ids(tips), (Ids{"degradation-warning", "habit-hot-battery"}));
    EXPECT_EQ(tips[0].title, "Battery degrading despite good habits");
    EXPECT_EQ(tips[0].detail,
              "Your current habits are excellent (A), but prior wear already damaged the battery. Health is dropping "
              "at 0.035%/cycle. It may need service eventually.");
    EXPECT_EQ(tips[0].icon, "heart.fill");
    EXPECT_EQ(tips[0].priority, 13);
    EXPECT_EQ(tips[0].severity, Severity::info);
    EXPECT_EQ(tips[1].priority, 15);
    EXPECT_EQ(tips[1].severity, Severity::warning);
}

TEST(BatteryTipsEngine, KeepsTheSixMostImportantInEvaluationOrderAmongEquals) {
    Inputs in;
    in.stats.batteryPercentage = 99;
    in.stats.batteryIsCharging = true;        // charge-100-warn 15 (and unplug-tip is off)
    in.stats.fanSpeeds = {3000};              // fans-spinning 16
    in.stats.memoryPressure = 60;             // memory-early 16
    in.stats.pCoreAverage = 45;               // cores-active 17
    in.stats.appGroups = {group("Render", 40)};  // heavy-app 16
    in.prediction = prediction(DegradationRate::normal);
    in.prediction->habitWarnings = {warning("x", HabitSeverity::info), warning("y", HabitSeverity::info)};
    const auto tips = in.generate();
    EXPECT_EQ(ids(tips), (Ids{"charge-100-warn", "habit-x", "fans-spinning", "memory-early", "heavy-app", "habit-y"}));

    in.stats.thermalLevel = ThermalLevel::heavy;
    EXPECT_EQ(ids(in.generate()).front(), "thermal");
    EXPECT_EQ(in.generate().size(), 6u);
}

TEST(BatteryTipsEngine, OffenderListsJoinNamesInTheCurrentLanguage) {
    const std::vector<AppGroup> groups{group("AppA", 40, 200 * MiB), group("AppB", 22, 1024 * MiB),
                                       group("Low", 5, 100 * MiB), group("AppC", 8, 200 * MiB),
                                       group("AppD", 6, 50 * MiB)};
    test::expectBothLanguages({
        {[&] { return BatteryTipsEngine::topOffendersList(groups, 3); }, "AppA (40%), AppB (22%) and AppC (8%)",
         "AppA (40%), AppB (22%) y AppC (8%)"},
        {[&] { return BatteryTipsEngine::topOffendersList(groups, 2); }, "AppA (40%) and AppB (22%)",
         "AppA (40%) y AppB (22%)"},
        {[&] { return BatteryTipsEngine::topOffendersList(groups, 1); }, "AppA (40%)", "AppA (40%)"},
        {[] { return BatteryTipsEngine::topOffendersList({group("Low", 5)}, 3); }, "", ""},
        {[&] { return BatteryTipsEngine::topMemoryUsersList(groups, 3); },
         "AppB (1.0 GB), AppA (200.0 MB) and AppC (200.0 MB)", "AppB (1.0 GB), AppA (200.0 MB) y AppC (200.0 MB)"},
        {[] { return BatteryTipsEngine::topMemoryUsersList({group("Small", 50, 100 * MiB)}, 3); }, "", ""},
    });
}

TEST(BatteryTipsEngine, TipsCarryTheirFiguresAndFallbackNames) {
    Inputs thermal;
    thermal.stats.thermalLevel = ThermalLevel::heavy;
    thermal.stats.appGroups = {group("AppA", 40), group("AppB", 22)};
    {
        test::ScopedLanguage spanish("es");
        const auto tip = thermal.generate().front();
        EXPECT_EQ(tip.title, "Tu Mac se está sobrecalentando");
        EXPECT_EQ(tip.detail,
                  "Tu Mac es como un motor de coche: cuando se calienta demasiado, baja la velocidad para protegerse. "
                  "AppA (40%) y AppB (22%) están haciéndolo trabajar más. Intenta cerrarlas o moverte a un lugar más "
                  "fresco.");
        EXPECT_EQ(tip.icon, "flame.fill");
        EXPECT_EQ(tip.severity, Severity::critical);
    }

    test::ScopedLanguage english("en");
    Inputs busy;
    busy.stats.pCoreAverage = 65;
    EXPECT_EQ(busy.generate().front().title, "Something is working hard");
    EXPECT_EQ(busy.generate().front().detail,
              "Something is pushing your Mac's brain to its limits. The powerful P-cores are at 65% — that's the "
              "sprinting cores using lots of energy.");
    busy.stats.topProcesses = {{1, "first", 30, 0, 1, 0}, {2, "second", 42.25, 0, 1, 0}, {3, "third", 42.25, 0, 1, 0}};
    EXPECT_EQ(busy.generate().front().title, "second is working hard");
    EXPECT_EQ(busy.generate().front().detail.substr(0, 42), "second is using 42.2% of your Mac's brainp");

    Inputs fans;
    fans.stats.fanSpeeds = {4200};
    EXPECT_EQ(fans.generate().front().detail,
              "Your Mac's fans are spinning at 4,200 RPM to keep the chips cool. your workload is making it work hard.");

    Inputs early;
    early.stats.memoryPressure = 60;
    early.stats.memoryUsed = 12 * 1024 * MiB + 300 * MiB;
    early.stats.memoryTotal = 16 * 1024 * MiB;
    EXPECT_EQ(early.generate().front().detail,
              "Your Mac is using 12.3 GB of 16 GB memory. Several apps are using a lot. Close unused tabs and apps to "
              "keep things snappy.");
    early.stats.appGroups = {group("Small", 30, 10 * MiB), group("Big", 2, 1536 * MiB), group("Same", 1, 1536 * MiB)};
    EXPECT_NE(early.generate().front().detail.find("Big is using the most (1.5 GB)."), std::string::npos);
}

TEST(BatteryTipsEngine, MeetingWarningMinutesSurviveOddTimes) {
    const struct {
        double seconds;
        const char* title;
    } cases[] = {
        {59, "Battery dropping fast"},
        {1799, "~29 min left"},
        {-600, "Battery dropping fast"},
        {std::nan(""), "Battery dropping fast"},
        {std::numeric_limits<double>::infinity(), "~1000000000000000 min left"},
    };
    test::ScopedLanguage english("en");
    for (const auto& c : cases) {
        Inputs in;
        in.stats = onBattery(30);
        in.stats.batteryTimeRemaining = c.seconds;
        in.profile = profileOf(UsageProfile::meeting);
        const auto tips = in.generate();
        ASSERT_EQ(tips.front().id, "profile-meeting");
        EXPECT_EQ(tips.front().severity, Severity::warning);
        EXPECT_EQ(tips.front().detail.substr(0, tips.front().detail.find('.')), c.title) << c.seconds;
    }
}

}  // namespace
}  // namespace corvelle
