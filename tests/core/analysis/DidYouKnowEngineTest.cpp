#include "analysis/DidYouKnowEngine.h"

#include "support/Each.h"
#include "support/ScopedLanguage.h"
#include "support/StatsBuilder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace corvelle {
namespace {

using Fact = DidYouKnowEngine::Fact;
using Ids = std::vector<std::string>;

constexpr std::uint64_t GiB = 1024ull * 1024 * 1024;

// Nothing striking: CPU 30 %, top app at 6 %, P-cores at 50 °C, memory pressure 30, fans at
// 1200 rpm, a battery designed for 5000 mAh with 300 cycles, plugged in.
SystemStats ordinary() {
    SystemStats s = test::StatsBuilder()
                        .cores(4, 4)
                        .cpu(30)
                        .apps({{"Browser", 6, 2 * GiB, 4, 0}})
                        .memory(6 * GiB, 16 * GiB)
                        .battery(0, test::Power::pluggedIn);
    s.totalPowerWatts = 10;
    s.pCoreTemp = 50;
    s.memoryPressure = 30;
    s.fanSpeeds = {1200};
    s.batteryCycleCount = 300;
    s.batteryDesignCapacityMAh = 5000;
    return s;
}

std::vector<Fact> facts(const SystemStats& stats, std::size_t limit = 20,
                        const std::optional<ProfileClassification>& profile = std::nullopt,
                        const std::optional<HabitScore>& habitScore = std::nullopt) {
    return DidYouKnowEngine::generate(stats, profile, std::nullopt, habitScore, limit);
}

Ids ids(const std::vector<Fact>& list) { return test::each(list, &Fact::id); }

const Fact* find(const std::vector<Fact>& list, const std::string& id) {
    const auto found = std::ranges::find(list, id, &Fact::id);
    return found == list.end() ? nullptr : &*found;
}

TEST(DidYouKnowEngine, RanksStrikingFactsFirstAndKeepsRuleOrderAmongEquals) {
    const struct { const char* name; std::function<void(SystemStats&)> change; Ids firstThree; } cases[] = {
        {"nothing striking", [](SystemStats&) {}, {"core-arch", "top-energy", "cycles"}},
        {"on battery", [](SystemStats& s) { s.batteryIsPluggedIn = false; }, {"cycles", "core-arch", "top-energy"}},
        {"busy CPU", [](SystemStats& s) { s.cpuTotalUsage = 41; }, {"top-energy", "core-arch", "cycles"}},
        {"P-cores at 70", [](SystemStats& s) { s.pCoreTemp = 70; }, {"core-arch", "top-energy", "cycles"}},
        {"P-cores above 70", [](SystemStats& s) { s.pCoreTemp = 70.1; }, {"temp-analogy", "core-arch", "top-energy"}},
        {"high memory pressure", [](SystemStats& s) { s.memoryPressure = 80; }, {"memory-status", "core-arch", "top-energy"}},
        {"fans at 2000", [](SystemStats& s) { s.fanSpeeds = {2000}; }, {"core-arch", "top-energy", "cycles"}},
        {"fans above 2000", [](SystemStats& s) { s.fanSpeeds = {900, 2001}; }, {"fan-context", "core-arch", "top-energy"}},
        {"hot and busy on battery",
         [](SystemStats& s) { s.batteryIsPluggedIn = false; s.fanSpeeds = {3000}; s.pCoreTemp = 90; },
         {"temp-analogy", "fan-context", "cycles"}},
    };
    for (const auto& c : cases) {
        SystemStats stats = ordinary();
        c.change(stats);
        EXPECT_EQ(ids(facts(stats, 3)), c.firstThree) << c.name;
    }
    EXPECT_EQ(ids(facts(ordinary())),
              (Ids{"core-arch", "top-energy", "cycles", "temp-analogy", "memory-status", "fan-context"}));
    EXPECT_TRUE(facts(ordinary(), 0).empty());
}

TEST(DidYouKnowEngine, RuleConditions) {
    const auto onBatteryAt = [](double watts) {
        return [=](SystemStats& s) { s.batteryIsPluggedIn = false; s.batteryWatts = watts; };
    };
    const auto capacity = [](double health, std::int64_t max) {
        return [=](SystemStats& s) { std::tie(s.batteryHealthPercent, s.batteryMaxCapacityMAh) = std::tuple(health, max); };
    };
    const struct { const char* name; std::function<void(SystemStats&)> change; const char* id; bool present; }
        cases[] = {
        {"no E-cores", [](SystemStats& s) { s.eCoreUsages.clear(); }, "core-arch", false},
        {"top app at 5 %", [](SystemStats& s) { s.appGroups[0].totalCPU = 5; }, "top-energy", false},
        {"no power reading", [](SystemStats& s) { s.totalPowerWatts = 0; }, "top-energy", false},
        {"no cycles", [](SystemStats& s) { s.batteryCycleCount = 0; }, "cycles", false},
        {"no temperature", [](SystemStats& s) { s.pCoreTemp = 0; }, "temp-analogy", false},
        {"no memory reading", [](SystemStats& s) { s.memoryUsed = 0; }, "memory-status", false},
        {"plugged in", [](SystemStats& s) { s.batteryWatts = 10; }, "watt-context", false},
        {"on battery at 29.9 W", onBatteryAt(29.9), "watt-context", true},
        {"on battery at 30 W", onBatteryAt(30), "watt-context", false},
        {"on battery at 0 W", onBatteryAt(0), "watt-context", false},
        {"fans stopped", [](SystemStats& s) { s.fanSpeeds = {0, 0}; }, "fan-context", false},
        {"five processes", [](SystemStats& s) { s.processCount = 5; }, "process-count", false},
        {"six processes, none listed", [](SystemStats& s) { s.processCount = 6; }, "process-count", true},
        {"battery at 100 % health", capacity(100, 5000), "health-context", false},
        {"worn battery", capacity(90, 4500), "health-context", true},
        {"capacity above design", capacity(90, 5100), "health-context", false},
    };
    for (const auto& c : cases) {
        SystemStats stats = ordinary();
        c.change(stats);
        EXPECT_EQ(find(facts(stats), c.id) != nullptr, c.present) << c.name;
    }
}

TEST(DidYouKnowEngine, FactTextsCarryTheirFigures) {
    SystemStats stats = ordinary();
    stats.batteryIsPluggedIn = false;
    stats.batteryWatts = 12;
    stats.batteryCycleCount = 1500;
    stats.memoryPressure = 80;
    stats.appGroups = {{"Browser", 6, 2 * GiB, 4, 0}, {"Editor", 1.5, 3 * GiB, 1, 0}, {"Chat", 0.5, 3 * GiB, 1, 0}};
    stats.topProcesses.resize(3);  // the list's limit, not the machine's count
    stats.processCount = 412;
    stats.pCoreTemp = 69.94;
    stats.fanSpeeds = {1500};
    stats.batteryHealthPercent = 87.6;
    stats.batteryMaxCapacityMAh = 4380;
    test::ScopedLanguage english("en");
    const auto list = facts(stats, 20, ProfileClassification{.primary = UsageProfile::developer, .secondary = {}, .secondaryScore = {}},
                            HabitScore{84, "B", {}, {}, {}, {}});
    const std::pair<const char*, const char*> fragments[] = {
        {"cycles", "through 1500 charge cycles — that's 100% of"},
        {"memory-status", "high at 80% (6.0 of 16 GB). Closing some apps could help performance. Top user: Editor (3.0 GB)."},
        {"temp-analogy", "P-cores are at 69.9°C — that's like a hot cup of coffee."},
        {"fan-context", "gently spinning to keep things comfortable. Current speed: 1,500 RPM."},
        {"watt-context", "drawing 12.0 W right now. That's enough power to charge 0.8 phones"},
        {"process-count", "running 412 processes from 2 active apps."},
        {"health-context", "health is 88%. It originally held 5000 mAh but now holds 4380 mAh — 620 mAh"},
    };
    for (const auto& [id, fragment] : fragments) {
        ASSERT_TRUE(find(list, id)) << id;
        EXPECT_NE(find(list, id)->text.find(fragment), std::string::npos) << find(list, id)->text;
    }
    EXPECT_EQ(find(list, "profile-fact")->icon, "chevron.left.forwardslash.chevron.right");
    EXPECT_EQ(find(list, "profile-fact")->category, Fact::Category::system);
    EXPECT_EQ(find(list, "habit-fact")->category, Fact::Category::power);
    stats.eCoreUsages.clear();
    EXPECT_EQ(find(facts(stats), "temp-analogy")->text, "Your computer's CPU is at 69.9°C — that's like a hot cup of coffee.");

    test::ScopedLanguage spanish("es");
    stats.appGroups.clear();
    EXPECT_TRUE(find(facts(stats), "memory-status")->text.ends_with("Mayor consumidor: unknown (0.0 GB)."));
}

TEST(DidYouKnowEngine, MemoryFactNamesCompressionOnlyWhenTheKernelCompresses) {
    test::ScopedLanguage english("en");
    for (const double pressure : {30.0, 60.0}) {
        for (const std::uint64_t compressed : {std::uint64_t{0}, GiB}) {
            SystemStats stats = ordinary();
            stats.memoryPressure = pressure;
            stats.memoryCompressed = compressed;
            const std::string text = find(facts(stats), "memory-status")->text;
            EXPECT_EQ(text.find("zswap") != std::string::npos, compressed > 0) << text;
        }
    }
}

TEST(DidYouKnowEngine, TopAppEnergyIsItsShareOfTheMeasuredPower) {
    // The group's CPU in percent of one core, the machine's in percent of all eight cores.
    const struct { double groupCPU, machineCPU; const char* expected; } cases[] = {
        {150, 20, "Right now Build is using the most energy — roughly 9.4W out of 10.0 W total."},
        {400, 20, "Right now Build is using the most energy — roughly 10.0W out of 10.0 W total."},
        {8, 0, "Right now Build is using the most energy — roughly 10.0W out of 10.0 W total."},
    };
    test::ScopedLanguage english("en");
    for (const auto& c : cases) {
        SystemStats stats = ordinary();
        stats.appGroups = {{"Build", c.groupCPU, 0, 1, 0}};
        stats.cpuTotalUsage = c.machineCPU;
        EXPECT_EQ(find(facts(stats), "top-energy")->text, c.expected) << c.groupCPU;
    }
}

}  // namespace
}  // namespace corvelle
