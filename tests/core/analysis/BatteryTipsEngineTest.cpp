#include "analysis/BatteryTipsEngine.h"

#include "support/BilingualText.h"
#include "support/Each.h"
#include "support/StatsBuilder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

namespace corvelle {
namespace {

using Severity = BatteryTip::Severity;
using Ids = std::vector<std::string>;

constexpr std::uint64_t MiB = 1024 * 1024;

SystemStats onBattery(double percent, double watts = 8) {
    return test::StatsBuilder().battery(percent, test::Power::battery, watts);
}

AppGroup group(const std::string& name, double cpu, std::uint64_t memory = 0) { return {name, cpu, memory, 1, 0}; }

HabitWarning warning(const std::string& id, HabitSeverity severity) {
    return {id, "flame.fill", id + " title", id + " detail", severity};
}

BatteryHealthPrediction prediction(DegradationRate rate, std::optional<std::int64_t> months = std::nullopt,
                                   ConfidenceLevel confidence = ConfidenceLevel::moderate) {
    return {.healthDropPerCycle = 0.0345, .estimatedCyclesTo80 = {}, .estimatedMonthsTo80 = months,
            .confidenceLevel = confidence, .degradationRate = rate, .habitWarnings = {}};
}

HabitScore habits(std::int64_t overall, const std::string& grade) { return {overall, grade, {}, {}, {}, {}}; }

ProfileClassification profileOf(UsageProfile primary) { return {.primary = primary, .secondary = {}, .secondaryScore = {}}; }

struct Inputs {
    SystemStats stats = test::StatsBuilder().battery(50, test::Power::pluggedIn);  // idle: no rule fires
    std::optional<ProfileClassification> profile;
    std::optional<BatteryHealthPrediction> prediction;
    std::optional<HabitScore> habitScore;
    BatteryTipsEngine::CareControls controls;
    std::vector<BatteryTip> generate() const {
        return BatteryTipsEngine::generate(stats, profile, prediction, habitScore, controls);
    }
};

Ids ids(const std::vector<BatteryTip>& tips) { return test::each(tips, &BatteryTip::id); }

struct RuleCase { const char* name; std::function<void(Inputs&)> setUp; Ids expected; };

// Set-ups for the tables: plugged in at a charge, or on battery with a draw, a baseline and time left.
std::function<void(Inputs&)> draining(double percent, double watts, double baseline = 0, double timeLeft = 0,
                                      test::Power power = test::Power::battery) {
    return [=](Inputs& in) {
        in.stats = test::StatsBuilder().battery(percent, power, watts);
        in.stats.systemBaselineWatts = baseline;
        in.stats.batteryTimeRemaining = timeLeft;
    };
}

std::function<void(Inputs&)> plugged(double percent, test::Power power = test::Power::pluggedIn) {
    return draining(percent, 0, 0, 0, power);
}

void expectIds(const std::vector<RuleCase>& cases) {
    test::ScopedLanguage english("en");
    for (const auto& c : cases) {
        Inputs in;
        c.setUp(in);
        EXPECT_EQ(ids(in.generate()), c.expected) << c.name;
    }
}

TEST(BatteryTipsEngine, BatteryAndPowerRuleBoundaries) {
    const auto charging = [](double percent) { return plugged(percent, test::Power::charging); };
    expectIds({
        {"calm", [](Inputs&) {}, {}},
        // Drawing little and far above its baseline, but plugged in: none of the on-battery tips.
        {"plugged, idle, 85 %", draining(85, 2, 0.5, 7200, test::Power::pluggedIn), {"unplug-tip"}},
        {"plugged, idle, 80 %", plugged(80), {}}, {"plugged, charging, 85 %", charging(85), {}},
        {"charging at 99 %", charging(99), {"charge-100-warn"}}, {"charging at 98.9 %", charging(98.9), {}},
        {"9 %", draining(9, 8), {"battery-critical"}}, {"10 %", draining(10, 8), {"battery-low"}},
        {"20 %", draining(20, 8), {"healthy-range"}}, {"80 %", draining(80, 8), {"healthy-range"}},
        {"80.1 % on battery", draining(80.1, 8), {}},
        {"15 W", draining(50, 15), {"healthy-range"}}, {"15.1 W", draining(50, 15.1), {"high-watts", "healthy-range"}},
        {"exactly twice the baseline", draining(50, 8, 4), {"healthy-range"}},
        {"above twice the baseline", draining(50, 8.1, 4), {"above-baseline", "healthy-range"}},
        {"4.9 W", draining(50, 4.9), {"great-efficiency", "healthy-range"}}, {"5 W", draining(50, 5), {"healthy-range"}},
        // Idle efficiency is produced here but always loses to great efficiency.
        {"30 % at 2 W", draining(30, 2, 0, 7200), {"great-efficiency", "healthy-range"}},
        {"15 % at 2 W: low battery drops both efficiency tips", draining(15, 2, 0, 7200), {"battery-low"}},
    });
}

TEST(BatteryTipsEngine, LoadRuleBoundaries) {
    const auto set = [](auto field, auto value) {
        return [=](Inputs& in) { in.stats.*field = value; };
    };
    const auto pressure = [&](double p) { return set(&SystemStats::memoryPressure, p); };
    // A hybrid CPU of one efficiency and one performance core, or `cores` of one kind.
    const auto pCores = [](double p, std::size_t cores = 0) {
        return [=](Inputs& in) { in.stats = test::StatsBuilder().cores(cores ? 0 : 1, cores ? cores : 1).battery(50, test::Power::pluggedIn); in.stats.pCoreAverage = p; };
    };
    const auto fans = [&](std::vector<std::int32_t> rpm) { return set(&SystemStats::fanSpeeds, rpm); };
    const auto thermal = [&](ThermalLevel level) { return set(&SystemStats::thermalLevel, level); };
    const auto busyApp = [&](double average) {
        return [=](Inputs& in) { pCores(average)(in); in.stats.appGroups = {group("Render", 40)}; };
    };
    const auto disk = [](std::uint64_t read, std::uint64_t write) {
        return [=](Inputs& in) { in.stats.diskReadBytesPerSec = read; in.stats.diskWriteBytesPerSec = write; };
    };
    const auto network = [](std::uint64_t in, std::uint64_t out) {
        return [=](Inputs& i) { i.stats.networkInBytesPerSec = in; i.stats.networkOutBytesPerSec = out; };
    };
    expectIds({
        {"thermal moderate", thermal(ThermalLevel::moderate), {}}, {"thermal heavy", thermal(ThermalLevel::heavy), {"thermal"}},
        {"pressure 50", pressure(50), {}}, {"pressure 50.1", pressure(50.1), {"memory-early"}},
        {"pressure 75", pressure(75), {"memory-early"}}, {"pressure 75.1", pressure(75.1), {"memory-pressure"}},
        {"P-cores 30", pCores(30), {}}, {"P-cores 60", pCores(60), {"cores-active"}},
        {"P-cores 60.1", pCores(60.1), {"cpu-busy"}}, {"P-cores 65 with a busy app", busyApp(65), {"cpu-busy"}},
        {"P-cores 45 with a busy app", busyApp(45), {"heavy-app", "cores-active"}},
        {"one kind of core at 45: no fast cores to wake", pCores(45, 4), {}}, {"one kind at 61", pCores(61, 4), {"cpu-busy"}},
        {"app at 25 %", set(&SystemStats::appGroups, std::vector{group("Render", 25)}), {}},
        {"fans at 2000", fans({1200, 2000}), {}}, {"fans at 2001", fans({2001, 1200}), {"fans-spinning"}},
        {"disk at 100 MB/s", disk(60000000, 40000000), {}}, {"disk above 100 MB/s", disk(0, 100000001), {"disk-busy"}},
        {"disk counters at their limit", disk(std::numeric_limits<std::uint64_t>::max(), 2), {"disk-busy"}},
        {"network at 5 MB/s", network(5000000, 0), {}}, {"network above 5 MB/s", network(5000000, 1), {"network-active"}},
    });
}

TEST(BatteryTipsEngine, ProcessSpikesAndProfiles) {
    const auto developerOnBattery = [](std::vector<AppGroup> groups) {
        return [groups](Inputs& in) {
            in.stats = test::StatsBuilder().battery(50, test::Power::battery, 12).apps(groups);
            in.profile = profileOf(UsageProfile::developer);
        };
    };
    const auto onBatteryAs = [](UsageProfile profile, double percent, double gpuWatts = 0) {
        return [=](Inputs& in) {
            in.stats = onBattery(percent);
            in.stats.gpuPowerWatts = gpuWatts;
            in.profile = profileOf(profile);
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
    const auto compared = [](std::vector<ProcessComparison> list, ThermalLevel level = ThermalLevel::nominal) {
        return [=](Inputs& in) { in.stats.processComparisons = list; in.stats.thermalLevel = level; };
    };
    const Ids onBatteryOnly{"healthy-range"};
    expectIds({
        {"ratio 3.0", compared({{"Sync", 30, 10, 3.0}}), {}}, {"CPU 15", compared({{"Sync", 15, 1, 15}}), {}},
        {"spike takes the first match and silences heavy-app", [&](Inputs& in) {
             compared({{"Calm", 10, 1, 10}, {"Sync", 40, 5, 8}, {"Other", 90, 1, 90}})(in);
             in.stats.appGroups = {group("Sync", 40)};
         }, {"process-Sync"}},
        {"spike and thermal emergency", compared({{"Sync", 40, 5, 8}}, ThermalLevel::trapping), {"thermal", "process-Sync"}},
        {"developer: first build tool at 20 % hides a later busy one",
         developerOnBattery({group("Xcode", 20), group("swift-frontend", 80)}), onBatteryOnly},
        {"developer: busy build tool replaces heavy-app",
         developerOnBattery({group("swift-build", 31), group("Xcode", 10)}), {"profile-dev", "healthy-range"}},
        {"developer: a Linux compiler above 30 %", developerOnBattery({group("cc1plus", 30.5), group("code", 10)}),
         {"profile-dev", "healthy-range"}},
        {"developer: names match exactly", developerOnBattery({group("xcode", 20), group("Xcodes", 50)}), onBatteryOnly},
        {"developer plugged in",
         [](Inputs& in) { in.stats.appGroups = {group("Xcode", 50)}; in.profile = profileOf(UsageProfile::developer); },
         {"heavy-app"}},
        {"power user with 9 active apps", powerUserWith(9, false), {"profile-power", "healthy-range"}},
        {"power user with 8 active apps", powerUserWith(8, false), onBatteryOnly},
        {"power user plugged in", powerUserWith(9, true), {}},
        {"creative at 3.1 W GPU", onBatteryAs(UsageProfile::creative, 50, 3.1), {"profile-creative", "healthy-range"}},
        {"creative at 3 W GPU", onBatteryAs(UsageProfile::creative, 50, 3), onBatteryOnly},
        {"meeting at 39 %", onBatteryAs(UsageProfile::meeting, 39), {"profile-meeting", "healthy-range"}},
        {"meeting at 40 %", onBatteryAs(UsageProfile::meeting, 40), onBatteryOnly},
    });
}

// Normal wear with habit warnings of the given severities, named a, b, c..., each given `copies` times.
std::function<void(Inputs&)> warned(std::vector<HabitSeverity> severities, std::optional<HabitScore> score = {},
                                    int copies = 1) {
    return [=](Inputs& in) {
        in.habitScore = score;
        in.prediction = prediction(DegradationRate::normal);
        for (size_t i = 0; i < severities.size(); ++i) {
            for (int copy = 0; copy < copies; ++copy) {
                in.prediction->habitWarnings.push_back(warning(std::string(1, char('a' + i)), severities[i]));
            }
        }
    };
}

TEST(BatteryTipsEngine, AnalysisRulesAndContradictions) {
    constexpr auto info = HabitSeverity::info, critical = HabitSeverity::critical;
    const auto scored = [](std::int64_t overall, const char* grade) {
        return [=](Inputs& in) { in.habitScore = habits(overall, grade); };
    };
    const auto wear = [](DegradationRate rate, std::optional<std::int64_t> months = {},
                         ConfidenceLevel confidence = ConfidenceLevel::moderate) {
        return [=](Inputs& in) { in.prediction = prediction(rate, months, confidence); };
    };
    using enum DegradationRate;
    expectIds({
        {"habit score 79", scored(79, "C+"), {}}, {"habit score 80", scored(80, "B"), {"good-habits"}},
        {"normal wear", wear(normal), {}}, {"accelerated wear", wear(accelerated), {"degradation-warning"}},
        {"23 months, moderate confidence", wear(normal, 23), {"health-prediction"}}, {"24 months", wear(normal, 24), {}},
        {"23 months, low confidence", wear(normal, 23, ConfidenceLevel::low), {}},
        {"two of three habit warnings", warned({info, info, critical}), {"habit-a", "habit-b"}},
        {"repeated warning id kept once", warned({info}, {}, 2), {"habit-a"}},
        {"a critical third warning still silences good habits", warned({info, info, critical}, habits(90, "A")),
         {"habit-a", "habit-b"}},
        {"fast wear despite good habits", [&](Inputs& in) { scored(90, "A")(in); wear(severe)(in); },
         {"degradation-warning"}},
    });
}

TEST(BatteryTipsEngine, WearDespiteGoodHabitsRewritesTheWarningEvenWhenACriticalHabitAlsoApplies) {
    test::ScopedLanguage english("en");
    Inputs in;
    warned({HabitSeverity::critical}, habits(92, "A"))(in);
    in.prediction->degradationRate = DegradationRate::accelerated;
    const auto tips = in.generate();
    ASSERT_EQ(ids(tips), (Ids{"degradation-warning", "habit-a"}));
    EXPECT_EQ(std::tie(tips[0].title, tips[1].severity),
              std::make_tuple(std::string("Battery degrading despite good habits"), Severity::warning));
    EXPECT_NE(tips[0].detail.find("excellent (A), but prior wear already damaged the battery. Health is dropping at "
                                  "0.035%/cycle"), std::string::npos) << tips[0].detail;
}

TEST(BatteryTipsEngine, KeepsTheSixMostImportantInEvaluationOrderAmongEquals) {
    Inputs in;
    in.stats.batteryPercentage = 99;
    in.stats.batteryIsCharging = true;        // charge-100-warn 15 (and unplug-tip is off)
    in.stats.fanSpeeds = {3000};              // fans-spinning 16
    in.stats.memoryPressure = 60;             // memory-early 16
    in.stats.pCoreAverage = 45;               // cores-active 17
    in.stats.eCoreUsages = in.stats.pCoreUsages = {CoreUsage{}};
    in.stats.appGroups = {group("Render", 40)};  // heavy-app 16
    in.prediction = prediction(DegradationRate::normal);
    in.prediction->habitWarnings = {warning("x", HabitSeverity::info), warning("y", HabitSeverity::info)};
    const auto tips = in.generate();
    EXPECT_EQ(ids(tips), (Ids{"charge-100-warn", "habit-x", "fans-spinning", "memory-early", "heavy-app", "habit-y"}));

    in.stats.thermalLevel = ThermalLevel::heavy;
    EXPECT_EQ(ids(in.generate()), (Ids{"thermal", "charge-100-warn", "habit-x", "fans-spinning", "memory-early", "heavy-app"}));
}

// The power-saving and charging-to-100 % tips point to the Battery tab's controls only where the
// machine has them, each to its own.
TEST(BatteryTipsEngine, CareTipsMentionOnlyTheControlsThisMachineOffers) {
    test::ScopedLanguage english("en");
    for (bool modes : {false, true}) {
        for (bool limit : {false, true}) {
            Inputs low, full;
            low.stats = test::StatsBuilder().battery(15, test::Power::battery);
            full.stats = test::StatsBuilder().battery(99, test::Power::charging);
            low.controls = full.controls = {.powerModes = modes, .chargeLimit = limit};
            EXPECT_EQ(low.generate().at(0).detail.ends_with("Power Saver in the Battery tab."), modes);
            EXPECT_EQ(full.generate().at(0).detail.ends_with("80% charge limit in the Battery tab."), limit);
        }
    }
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
    const struct { const char* language; std::function<void(Inputs&)> setUp; std::string title, fragment; } cases[] = {
        {"es", [](Inputs& in) { in.stats.thermalLevel = ThermalLevel::heavy; in.stats.appGroups = {group("AppA", 40), group("AppB", 22)}; },
         "Tu equipo se está sobrecalentando", " AppA (40%) y AppB (22%) están haciéndolo trabajar más."},
        {"en", [](Inputs& in) { in.stats.pCoreAverage = 65; in.stats.eCoreUsages = in.stats.pCoreUsages = {CoreUsage{}}; },
         "Something is working hard", "P-cores are at 65% —"},
        // One kind of core: no P-cores; a process's share is of the whole machine, at most all of it.
        {"en", [](Inputs& in) { in.stats = test::StatsBuilder().cores(0, 2); in.stats.pCoreAverage = 65; in.stats.topProcesses = {{1, "make", 180, 0, 1, 0}}; },
         "make is working hard", "make is using 90.0% of your computer's brainpower. Its cores are at 65% on"},
        {"es", [](Inputs& in) { in.stats = test::StatsBuilder().cores(0, 1); in.stats.pCoreAverage = 99; in.stats.topProcesses = {{1, "make", 180, 0, 1, 0}}; },
         "", "make está usando 100.0% de la capacidad de tu equipo. Sus núcleos están al 99% de media"},
        {"en", [](Inputs& in) { in.stats = test::StatsBuilder().cores(0, 8).apps({group("Render", 400)}); },
         "Render needs lots of brainpower", "Render is using 50% of your computer's processing power."},
        // The busiest process by CPU, the first of equals.
        {"en", [](Inputs& in) {
             in.stats.pCoreAverage = 65;
             in.stats.topProcesses = {{1, "a", 30, 0, 1, 0}, {2, "second", 42.25, 0, 1, 0}, {3, "c", 42.25, 0, 1, 0}};
         }, "second is working hard", "second is using 42.2% of"},
        {"en", [](Inputs& in) { in.stats.fanSpeeds = {4200}; }, "", "spinning at 4,200 RPM"},
        {"en", [](Inputs& in) {
             in.stats.memoryPressure = 60;
             std::tie(in.stats.memoryUsed, in.stats.memoryTotal) = std::tuple(12 * 1024 * MiB + 300 * MiB, 16 * 1024 * MiB);
         }, "", "using 12.3 GB of 16 GB memory. Several apps"},
        {"en", [](Inputs& in) {
             in.stats.memoryPressure = 60;
             in.stats.appGroups = {group("Small", 30, 10 * MiB), group("Big", 2, 1536 * MiB), group("Same", 1, 1536 * MiB)};
         }, "", "Big is using the most (1.5 GB)."},
    };
    for (const auto& c : cases) {
        test::ScopedLanguage language(c.language);
        Inputs in;
        c.setUp(in);
        const auto tip = in.generate().front();  // the title is checked where given
        EXPECT_TRUE(c.title.empty() || tip.title == c.title) << tip.title;
        EXPECT_NE(tip.detail.find(c.fragment), std::string::npos) << tip.detail;
    }
}

// A discrete GPU awake on battery beside processor graphics: who keeps it awake and what it
// draws; those that used it are named before those that only hold it.
TEST(BatteryTipsEngine, AnAwakeDiscreteGpuOnBatteryNamesWhoKeepsItSo) {
    const auto client = [](const char* name, std::optional<double> busy) { return GpuClient{.name = name, .busyPercent = busy}; };
    const auto detail = [](bool battery, std::vector<GpuStatus> gpus) {
        Inputs in;
        if (battery) in.stats = onBattery(50);
        in.stats.gpus = std::move(gpus);
        const auto tips = in.generate();
        const auto tip = std::find_if(tips.begin(), tips.end(), [](const BatteryTip& t) { return t.id == "discrete-gpu-awake"; });
        return tip == tips.end() ? std::string() : tip->title + ": " + tip->detail;
    };
    const GpuStatus integrated{.kind = GpuKind::integrated, .clients = {client("gnome-shell", 4.0)}};
    const auto discrete = [&](GpuState state, std::optional<double> watts, std::vector<GpuClient> clients) {
        return GpuStatus{.kind = GpuKind::discrete, .state = state, .powerWatts = watts, .clients = std::move(clients)};
    };
    const std::vector<GpuClient> users{client("gnome-shell", 0.0), client("Firefox", 2.0), client("Steam", 30.0), client("Steam", 1.0)};
    test::expectBothLanguages({
        {[&] { return detail(true, {integrated, discrete(GpuState::active, 6.2, users)}); },
         "Discrete GPU awake: The discrete GPU is awake for Steam and Firefox and draws 6.2 W. Quit them, or start them "
         "on the integrated GPU, to let it sleep.",
         "GPU dedicada despierta: La GPU dedicada está despierta para Steam y Firefox y consume 6.2 W. Ciérralos, o "
         "ábrelos en la GPU integrada, para que pueda dormir."},
        {[&] { return detail(true, {integrated, discrete(GpuState::active, std::nullopt, {client("gnome-shell", 0.0)})}); },
         "Discrete GPU awake: The discrete GPU is awake for gnome-shell. Quit it, or start it on the integrated GPU, to "
         "let it sleep.",
         "GPU dedicada despierta: La GPU dedicada está despierta para gnome-shell. Ciérralo, o ábrelo en la GPU "
         "integrada, para que pueda dormir."},
        {[&] { return detail(true, {integrated, discrete(GpuState::active, 0.0, {})}); },
         "Discrete GPU awake: The discrete GPU is awake. Quit the programs that use it, or start them on the integrated "
         "GPU, to let it sleep.",
         "GPU dedicada despierta: La GPU dedicada está despierta. Cierra los programas que la usan, o ábrelos en la GPU "
         "integrada, para que pueda dormir."},
    });
    // Plugged in, asleep, never sleeping, or with nothing else to run on: no tip.
    EXPECT_EQ(detail(false, {integrated, discrete(GpuState::active, 6.2, users)}), "");
    EXPECT_EQ(detail(true, {integrated, discrete(GpuState::suspended, 0.0, {})}), "");
    EXPECT_EQ(detail(true, {integrated, discrete(GpuState::alwaysOn, 6.2, users)}), "");
    EXPECT_EQ(detail(true, {discrete(GpuState::active, 6.2, users)}), "");
}

TEST(BatteryTipsEngine, MeetingWarningMinutesSurviveOddTimes) {
    const std::pair<double, const char*> cases[] = {
        {59, "Battery dropping fast"}, {1799, "~29 min left"}, {-600, "Battery dropping fast"},
        {std::nan(""), "Battery dropping fast"},
        {std::numeric_limits<double>::infinity(), "~1000000000000000 min left"},
    };
    test::ScopedLanguage english("en");
    for (const auto& [seconds, title] : cases) {
        Inputs in;
        in.stats = onBattery(30);
        in.profile = profileOf(UsageProfile::meeting);
        in.stats.batteryTimeRemaining = seconds;
        const auto tip = in.generate().front();
        EXPECT_EQ(std::make_tuple(tip.id, tip.severity, tip.detail.substr(0, tip.detail.find('.'))),
                  std::make_tuple(std::string("profile-meeting"), Severity::warning, std::string(title))) << seconds;
    }
}

}  // namespace
}  // namespace corvelle
