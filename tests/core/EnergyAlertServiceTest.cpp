#include "alerts/EnergyAlertService.h"

#include "support/FakeClock.h"
#include "support/ManualEventLoop.h"
#include "support/RecordingNotifier.h"
#include "support/ScopedLanguage.h"
#include "support/TempDir.h"
#include "util/AtomicFile.h"
#include "util/JsonText.h"

#include <gtest/gtest.h>

namespace corvelle {
namespace {

using Baseline = EnergyAlertService::PersistedBaseline;

struct Harness {
    test::TempDir dir;
    std::shared_ptr<test::FakeClock> clock = std::make_shared<test::FakeClock>();
    std::shared_ptr<test::ManualEventLoop> loop = std::make_shared<test::ManualEventLoop>(*clock);
    std::shared_ptr<test::RecordingNotifier> notifier = std::make_shared<test::RecordingNotifier>();
    std::unique_ptr<EnergyAlertService> service;

    Harness() { restart(); }
    void restart() {
        service.reset();
        service = std::make_unique<EnergyAlertService>(clock, loop, dir.path(), notifier);
    }
    // Writes baselines.json with the given entries (lastSeen: now) and loads it.
    void preload(std::initializer_list<std::pair<const char*, Baseline>> entries) {
        nlohmann::json baselines = nlohmann::json::object();
        for (const auto& [name, b] : entries) {
            baselines[name] = {{"avgCPU", b.avgCPU}, {"sampleCount", b.sampleCount}, {"lastSeen", clock->absoluteTime()}};
        }
        writeFile(*JsonText::encode({{"processBaselines", baselines}}));
        restart();
    }
    void writeFile(const std::string& text) { ASSERT_TRUE(AtomicFile::write(dir / "baselines.json", text)); }
    std::optional<EnergyAlert> check(std::vector<ProcStats> processes) { return service->check(processes); }
};

ProcStats proc(std::int32_t pid, const std::string& name, double cpu) { return {pid, name, cpu, 0, 1, cpu}; }

TEST(EnergyAlertService, LearnsFromTheSessionAndNeverAlertsOnAFirstSighting) {
    Harness h;
    EXPECT_FALSE(h.check({proc(1, "Tool", 90)}));  // first sighting: only seeds
    for (int i = 0; i < 9; ++i) EXPECT_FALSE(h.check({proc(1, "Tool", 2)}));
    const auto alert = h.check({proc(1, "Tool", 50)});
    ASSERT_TRUE(alert);
    EXPECT_EQ(alert->name, "Tool");
    EXPECT_DOUBLE_EQ(alert->baselineCPU, (90 + 9 * 2 + 50) / 11.0);  // the name's average holds this sample
    EXPECT_FALSE(h.check({proc(2, "Other", 90)})) << "a new pid starts over";
}

TEST(EnergyAlertService, PersistedCountLetsANewPidAlertOnItsSecondPoll) {
    Harness h;
    h.preload({{"Foo", {5, 10, 0}}});
    EXPECT_FALSE(h.check({proc(7, "Foo", 50)}));
    EXPECT_TRUE(h.check({proc(7, "Foo", 50)}));
}

TEST(EnergyAlertService, AlertBoundsAreStrict) {
    // The name's baseline (count 14) is seeded on the first poll with its own average, so the
    // judged baseline is exactly (15 * average + cpu) / 16.
    const struct {
        double average;
        double cpu;
        bool alerts;
    } cases[] = {
        {13, 45, false},   // baseline 15: ratio exactly 3
        {13, 46, true},    // ratio just above 3
        {1, 15, false},    // ratio 8, but CPU exactly 15
        {1, 15.5, true},
        {0, 16, true},     // a baseline of 0.001 is floored, not divided by
        {0, 0, false},
    };
    for (const auto& c : cases) {
        Harness h;
        h.preload({{"App", {c.average, 14, 0}}});
        h.check({proc(3, "App", c.average)});
        EXPECT_EQ(h.check({proc(3, "App", c.cpu)}).has_value(), c.alerts) << c.average << " " << c.cpu;
    }
}

TEST(EnergyAlertService, CooldownIsPerPidAndGoesWithThePid) {
    Harness h;
    h.preload({{"A", {1, 10000, 0}}, {"B", {1, 10000, 0}}});
    h.check({proc(1, "A", 1), proc(2, "B", 1)});
    const auto both = h.check({proc(1, "A", 50), proc(2, "B", 60)});
    ASSERT_TRUE(both);
    EXPECT_EQ(both->name, "B") << "the later spike in list order";

    h.clock->advance(300);
    EXPECT_FALSE(h.check({proc(1, "A", 50), proc(2, "B", 60)})) << "both cool down for 300 s";
    h.clock->advance(0.001);
    EXPECT_EQ(h.check({proc(1, "A", 50)}).value().name, "A");

    // B left the list, so its cooldown is gone; back, it is a first sighting again.
    EXPECT_FALSE(h.check({proc(1, "A", 1), proc(2, "B", 60)}));
    EXPECT_EQ(h.check({proc(1, "A", 1), proc(2, "B", 60)}).value().name, "B");
    EXPECT_FALSE(h.check({}));
    EXPECT_FALSE(h.check({proc(2, "B", 60)}));
}

TEST(EnergyAlertService, PersistedAverageWeighsAtMostAThousandSamples) {
    Harness h;
    h.preload({{"Busy", {10, 10000, 0}}, {"New", {0, 0, 0}}});
    h.clock->advance(5);
    h.check({proc(1, "Busy", 1011), proc(2, "Fresh", 7)});
    const auto& baselines = h.service->persistedBaselines();
    EXPECT_EQ(baselines.at("Busy"), (Baseline{11.0, 10000, h.clock->absoluteTime()}));
    EXPECT_EQ(baselines.at("Fresh"), (Baseline{7, 1, h.clock->absoluteTime()}));
    EXPECT_TRUE(h.service->isDirty());
}

TEST(EnergyAlertService, ComparesLearntProcessesByRatio) {
    Harness h;
    h.preload({{"Low", {0.1, 50, 0}}, {"A", {2, 50, 0}}, {"B", {4, 50, 0}}, {"C", {1, 50, 0}}, {"D", {3, 5, 0}}});
    const std::vector<ProcStats> list = {proc(1, "Low", 50), proc(2, "A", 4), proc(3, "B", 8), proc(4, "C", 3),
                                         proc(5, "D", 30), proc(6, "Unknown", 9)};
    const auto comparisons = h.service->processComparisons(list, 2);
    const std::vector<ProcessComparison> expected = {{"C", 3, 1, 3}, {"A", 4, 2, 2}};
    EXPECT_EQ(comparisons, expected);
    EXPECT_EQ(h.service->processComparisons(list, 10).size(), 3u) << "B ties with A and follows it";
    EXPECT_EQ(h.service->processComparisons(list, 10).at(2).name, "B");
    EXPECT_TRUE(h.service->processComparisons(list, -1).empty());
}

TEST(EnergyAlertService, SendsTheNotificationText) {
    Harness h;
    h.clock->setNow(1750000000.25);
    {
        test::ScopedLanguage english("en");
        h.service->send({"MyApp", 85.4, 12.2});
    }
    h.clock->setNow(1750000001);
    {
        test::ScopedLanguage spanish("es");
        h.service->send({"MyApp", 85.5, 11.5});
    }
    const std::vector<test::RecordingNotifier::Posted> expected = {
        {"corvelle-energy-MyApp-1750000000.25", "High Energy Usage", "MyApp is using 85% CPU (normally 12%)", true},
        {"corvelle-energy-MyApp-1750000001.0", "Alto consumo de energía",
         "MyApp está usando 86% de CPU (normalmente 12%)", true},
    };
    EXPECT_EQ(h.notifier->posted, expected);
}

TEST(EnergyAlertService, AveragesTheBatteryDraw) {
    Harness h;
    for (double watts : {0.0, -3.0, double(NAN), double(INFINITY)}) h.service->updateSystemWatts(watts);
    EXPECT_FALSE(h.service->systemWattsEMA());
    EXPECT_FALSE(h.service->isDirty());
    h.service->updateSystemWatts(10);
    h.service->updateSystemWatts(20);
    EXPECT_DOUBLE_EQ(h.service->systemWattsEMA().value(), 10.5);
    EXPECT_TRUE(h.service->isDirty());
}

TEST(EnergyAlertService, SavesAndLoadsTheFileAndPrunesOldEntries) {
    Harness h;
    h.check({proc(1, "Old", 4), proc(2, "Kept", 6)});
    h.service->saveToDisk();
    EXPECT_FALSE(h.service->isDirty());
    auto saved = JsonText::decode(*AtomicFile::read(h.service->saveURL())).value();
    EXPECT_FALSE(saved.contains("systemWattsEMA"));
    EXPECT_EQ(saved["processBaselines"]["Kept"]["lastSeen"].get<double>(), h.clock->now() - 978307200.0);
    EXPECT_EQ(saved["processBaselines"]["Kept"]["sampleCount"], 1);

    h.clock->advance(2'592'000 - 10);
    h.check({proc(2, "Kept", 8)});
    h.service->updateSystemWatts(12.5);
    h.service->saveToDisk();
    h.clock->advance(10);  // "Old" is now just over 30 days old; "Kept" 10 s
    h.restart();
    EXPECT_EQ(h.service->persistedBaselines().size(), 1u);
    EXPECT_EQ(h.service->persistedBaselines().at("Kept").avgCPU, 7);
    EXPECT_EQ(h.service->systemWattsEMA(), 12.5);
    EXPECT_FALSE(h.service->isDirty());
}

TEST(EnergyAlertService, MovesADamagedFileAsideAndStartsEmpty) {
    const std::string cases[] = {
        "not json",
        "[]",
        R"({"systemWattsEMA": 3})",
        R"({"processBaselines": {"A": {"avgCPU": "5", "sampleCount": 1, "lastSeen": 1}}})",
        R"({"processBaselines": {"A": {"avgCPU": 5, "sampleCount": -1, "lastSeen": 1}}})",
        R"({"processBaselines": {"A": {"avgCPU": 5, "sampleCount": 1.5, "lastSeen": 1}}})",
        R"({"processBaselines": {"A": {"avgCPU": 1e400, "sampleCount": 1, "lastSeen": 1}}})",
        R"({"processBaselines": {"A": {"avgCPU": 5, "sampleCount": 1}}})",
        R"({"processBaselines": {}, "systemWattsEMA": "x"})",
    };
    for (const auto& text : cases) {
        Harness h;
        h.writeFile(text);
        h.restart();
        EXPECT_TRUE(h.service->persistedBaselines().empty()) << text;
        EXPECT_FALSE(h.service->systemWattsEMA()) << text;
        EXPECT_FALSE(std::filesystem::exists(h.service->saveURL())) << text;
        const auto aside = h.dir / ("baselines.corrupt-" + std::to_string(static_cast<long long>(h.clock->now())) + ".json");
        EXPECT_EQ(AtomicFile::read(aside), text);
    }
    Harness h;
    h.writeFile(R"({"processBaselines": {}, "systemWattsEMA": null, "extra": 1})");
    h.restart();
    EXPECT_TRUE(std::filesystem::exists(h.service->saveURL())) << "null and unknown keys are fine";
}

TEST(EnergyAlertService, SavesOnATimerAndStaysDirtyWhileWritesFail) {
    Harness h;
    h.check({proc(1, "App", 5)});
    const auto path = h.service->saveURL();
    std::filesystem::create_directories(path / "blocker");  // renaming over a full folder fails, even for root
    h.loop->advance(30);
    EXPECT_TRUE(h.service->isDirty());

    std::filesystem::remove_all(path);
    h.loop->advance(59);
    EXPECT_FALSE(std::filesystem::exists(path));
    h.loop->advance(1);
    EXPECT_FALSE(h.service->isDirty());
    EXPECT_TRUE(std::filesystem::is_regular_file(path));

    h.service.reset();
    EXPECT_EQ(h.loop->activeTimers(), 0u);
}

}  // namespace
}  // namespace corvelle
