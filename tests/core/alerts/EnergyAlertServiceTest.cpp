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

    explicit Harness(std::initializer_list<std::pair<const char*, Baseline>> preload = {}) {
        if (preload.size()) {
            nlohmann::json baselines;
            for (const auto& [name, b] : preload) {
                baselines[name] = {{"avgCPU", b.avgCPU}, {"sampleCount", b.sampleCount}, {"lastSeen", clock->absoluteTime()}};
            }
            write(*JsonText::encode({{"processBaselines", baselines}}));
        }
        restart();
    }
    void restart() {
        service.reset();
        service = std::make_unique<EnergyAlertService>(clock, loop, dir.path(), notifier);
    }
    void write(const std::string& text) { ASSERT_TRUE(AtomicFile::write(dir / "baselines.json", text)); }
    std::optional<std::string> check(std::vector<std::pair<std::int32_t, double>> pidCpu, const char* name = "App") {
        std::vector<ProcStats> list;
        for (auto [pid, cpu] : pidCpu) list.push_back({pid, name + std::to_string(pid), cpu, 0, 1, cpu});
        const auto alert = service->check(list);
        return alert ? std::optional(alert->name) : std::nullopt;
    }
};

TEST(EnergyAlertService, FirstSightingsOnlySeedAndPersistedCountsLearnSooner) {
    Harness h;
    EXPECT_FALSE(h.check({{1, 90}}));
    for (int i = 0; i < 9; ++i) EXPECT_FALSE(h.check({{1, 2}}));
    EXPECT_EQ(h.check({{1, 50}}), "App1") << "ten samples learnt";

    Harness known({{"App7", {5, 10, 0}}});
    EXPECT_FALSE(known.check({{7, 50}}));
    EXPECT_EQ(known.check({{7, 50}}), "App7") << "the name's count lets a new pid alert on its second poll";
}

TEST(EnergyAlertService, AlertBoundsAreStrict) {
    // The name's baseline (count 14) is seeded with its own average, so the judged baseline
    // is exactly (15 * average + cpu) / 16.
    // Baseline 15: ratio exactly 3; ratio 8, but CPU exactly 15; a baseline of 0.001 is floored, not divided by.
    const struct { double average, cpu; bool alerts; } cases[] = {
        {13, 45, false}, {13, 46, true}, {1, 15, false}, {1, 15.5, true}, {0, 16, true}, {0, 0, false}};
    for (const auto& c : cases) {
        Harness h({{"App3", {c.average, 14, 0}}});
        h.check({{3, c.average}});
        EXPECT_EQ(h.check({{3, c.cpu}}).has_value(), c.alerts) << c.average << " " << c.cpu;
    }
}

TEST(EnergyAlertService, CooldownIsPerPidAndGoesWithThePid) {
    Harness h({{"App1", {1, 10000, 0}}, {"App2", {1, 10000, 0}}});
    h.check({{1, 1}, {2, 1}});
    EXPECT_EQ(h.check({{1, 50}, {2, 60}}), "App2") << "the later spike in list order";
    h.clock->advance(300);
    EXPECT_FALSE(h.check({{1, 50}, {2, 60}})) << "both cool down for 300 s";
    h.clock->advance(0.001);
    EXPECT_EQ(h.check({{1, 50}}), "App1");
    // App2 left the list and lost its cooldown; back, it is a first sighting again.
    EXPECT_FALSE(h.check({{1, 1}, {2, 60}}));
    EXPECT_EQ(h.check({{1, 1}, {2, 60}}), "App2");
}

TEST(EnergyAlertService, ComparesLearntProcessesByRatio) {
    Harness h({{"Low", {0.1, 50, 0}}, {"A", {2, 50, 0}}, {"B", {4, 50, 0}}, {"C", {1, 50, 0}}, {"D", {3, 5, 0}}});
    const std::vector<ProcStats> list = {{1, "Low", 50}, {2, "A", 4}, {3, "B", 8}, {4, "C", 3}, {5, "D", 30}, {6, "New", 9}};
    EXPECT_EQ(h.service->processComparisons(list, 2), (std::vector<ProcessComparison>{{"C", 3, 1, 3}, {"A", 4, 2, 2}}));
    EXPECT_EQ(h.service->processComparisons(list, 10).at(2).name, "B") << "B ties with A and follows it";
    EXPECT_TRUE(h.service->processComparisons(list, -1).empty());
}

TEST(EnergyAlertService, SendsTheNotificationText) {
    Harness h;
    test::ScopedLanguage english("en");
    for (double now : {1750000000.25, 1750000001.0}) {
        h.clock->setNow(now);
        h.service->send({"MyApp", 85.5, 11.5});
    }
    ASSERT_EQ(h.notifier->posted.size(), 2u);
    EXPECT_EQ(h.notifier->posted[0], (test::RecordingNotifier::Posted{"corvelle-energy-MyApp-1750000000.25",
                                     "High Energy Usage", "MyApp is using 86% CPU (normally 12%)", true}));
    EXPECT_EQ(h.notifier->posted[1].identifier, "corvelle-energy-MyApp-1750000001.0");
}

TEST(EnergyAlertService, SavesLoadsAndPrunesTheFile) {
    Harness h({{"App1", {10, 10000, 0}}});
    h.check({{1, 1011}, {2, 7}});
    const double seen = h.clock->absoluteTime();
    EXPECT_EQ(h.service->persistedBaselines().at("App1"), (Baseline{11.0, 10000, seen})) << "moves by 1/1001";
    h.service->saveToDisk();
    EXPECT_FALSE(h.service->isDirty());
    const auto saved = JsonText::decode(*AtomicFile::read(h.service->saveURL())).value();
    EXPECT_FALSE(saved.contains("systemWattsEMA"));
    EXPECT_EQ(saved["processBaselines"]["App2"], (nlohmann::json{{"avgCPU", 7.0}, {"sampleCount", 1}, {"lastSeen", seen}}));

    h.clock->advance(2'592'000 - 10);
    h.check({{1, 11}});
    for (double watts : {0.0, -3.0, double(NAN), double(INFINITY), 10.0, 20.0}) h.service->updateSystemWatts(watts);
    h.service->saveToDisk();
    h.clock->advance(10);  // App2 was last seen 30 days ago
    h.restart();
    const auto& kept = h.service->persistedBaselines();
    EXPECT_EQ(std::make_tuple(kept.size(), kept.count("App1"), h.service->systemWattsEMA(), h.service->isDirty()),
              std::make_tuple(size_t{1}, size_t{1}, std::optional(10.5), false));
}

TEST(EnergyAlertService, MovesADamagedFileAsideAndStartsEmpty) {
    for (const std::string text : {
             "not json", "[]", R"({"systemWattsEMA": 3})",
             R"({"processBaselines": {"A": {"avgCPU": "5", "sampleCount": 1, "lastSeen": 1}}})",
             R"({"processBaselines": {"A": {"avgCPU": 5, "sampleCount": -1, "lastSeen": 1}}})",
             R"({"processBaselines": {"A": {"avgCPU": 1e400, "sampleCount": 1, "lastSeen": 1}}})",
             R"({"processBaselines": {"A": {"avgCPU": 5, "sampleCount": 1}}})",
             R"({"processBaselines": {}, "systemWattsEMA": "x"})",
         }) {
        Harness h;
        h.write(text);
        h.restart();
        EXPECT_TRUE(h.service->persistedBaselines().empty() && !h.service->systemWattsEMA()) << text;
        const auto aside = "baselines.corrupt-" + std::to_string(static_cast<long long>(h.clock->now())) + ".json";
        EXPECT_EQ(AtomicFile::read(h.dir / aside), text);
    }
}

TEST(EnergyAlertService, SavesOnATimerAndStaysDirtyWhileWritesFail) {
    Harness h;
    h.check({{1, 5}});
    const auto path = h.service->saveURL();
    std::filesystem::create_directories(path / "blocker");  // renaming over a full folder fails, even for root
    testing::internal::CaptureStderr();
    h.loop->advance(30 + 60);
    const auto log = testing::internal::GetCapturedStderr();
    EXPECT_EQ(log.find("could not save"), log.rfind("could not save")) << "two failed saves, one line";
    EXPECT_NE(log.find("baselines.json"), std::string::npos);
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
