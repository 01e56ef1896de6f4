#include "alerts/BaselinesFile.h"
#include "app/qt/QSettingsStore.h"
#include "history/BatteryHealthEntry.h"
#include "history/UsageHistory.h"
#include "util/AtomicFile.h"

#include "support/SavedFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <future>
#include <numeric>
#include <random>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

namespace corvelle {
namespace {

using namespace std::chrono_literals;

// Starts the built app with its data and settings in `home`; `saveInterval` (seconds) shortens
// the save cadence when given. The environment is made before the fork: tests start apps from two
// threads, and a child that allocated could hang on a lock the other thread held at the fork.
pid_t startApp(const test::TempDir& home, const char* saveInterval = nullptr, const char* tickInterval = nullptr) {
    std::vector<std::string> variables{
        "XDG_DATA_HOME=" + (home / "data").string(), "XDG_CONFIG_HOME=" + (home / "config").string(),
        // Its own session: no bus to find another Corvelle on, and its lock in this home.
        "DBUS_SESSION_BUS_ADDRESS=unix:path=" + (home / "no-bus").string(), "XDG_RUNTIME_DIR=" + home.path().string(),
        "QT_QPA_PLATFORM=offscreen", "ASAN_OPTIONS=detect_leaks=0"};
    if (saveInterval) variables.push_back(std::string("CORVELLE_SAVE_INTERVAL=") + saveInterval);
    if (tickInterval) variables.push_back(std::string("CORVELLE_TICK_INTERVAL=") + tickInterval);
    for (char** variable = environ; *variable; ++variable) {
        const std::string_view entry(*variable), name = entry.substr(0, entry.find('='));
        const auto given = [&](const std::string& v) { return v.starts_with(name) && v[name.size()] == '='; };
        if (std::ranges::none_of(variables, given)) variables.emplace_back(*variable);
    }
    std::vector<char*> environment;
    for (auto& variable : variables) environment.push_back(variable.data());
    environment.push_back(nullptr);
    char* arguments[] = {const_cast<char*>(CORVELLE_APP_PATH), nullptr};
    const pid_t child = fork();
    if (child == 0) {
        execve(CORVELLE_APP_PATH, arguments, environment.data());
        _exit(127);
    }
    return child;
}

// Sends the signal and returns the exit status.
int stopApp(pid_t app, int signal) {
    kill(app, signal);
    int status = 0;
    waitpid(app, &status, 0);
    return status;
}

// Runs the app for about `seconds`, then sends `signal`.
int runApp(const test::TempDir& home, double seconds, int signal) {
    const pid_t app = startApp(home);
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
    return stopApp(app, signal);
}

void setPollingInterval(const test::TempDir& home, double seconds) {
    QSettingsStore(QString::fromStdString((home / "config" / "io.mirelo.corvelle" / "settings.conf").string()))
        .write("io.mirelo.corvelle.pollingInterval", seconds);
}

std::filesystem::path dataFolder(const test::TempDir& home) { return home / "data" / "io.mirelo.corvelle"; }

std::optional<UsageHistory> savedHistory(const test::TempDir& home) {
    return test::savedFile<UsageHistory>(dataFolder(home) / "daily-summaries.json");
}

std::optional<DailySnapshot> savedDay(const test::TempDir& home) {
    const auto history = savedHistory(home);
    if (!history || history->dailySnapshots.empty()) return std::nullopt;
    return history->dailySnapshots.back();
}

std::int64_t samplesOf(const UsageHistory& history) {
    return std::accumulate(history.dailySnapshots.begin(), history.dailySnapshots.end(), std::int64_t{0},
                           [](std::int64_t sum, const DailySnapshot& day) { return sum + day.sampleCount; });
}

// Every tick at a one-second interval is in the day's record after SIGTERM, and a second run,
// ended as a closing terminal ends it (SIGHUP), continues the same record.
TEST(AppEndToEnd, SigtermAndSighupSaveEveryTickOfTheDay) {
    test::TempDir home;
    setPollingInterval(home, 1.0);

    ASSERT_EQ(runApp(home, 6, SIGTERM), 0);  // a normal exit, not death by signal
    const auto first = savedDay(home);
    ASSERT_TRUE(first);
    EXPECT_GE(first->sampleCount, 2);
    // One sample per second between the first and the last, to the whole second the file keeps.
    EXPECT_LE(std::fabs(first->lastSampleAt - first->firstSampleAt - (first->sampleCount - 1)), 1.0);

    ASSERT_EQ(runApp(home, 4, SIGHUP), 0);
    const auto second = savedDay(home);
    ASSERT_TRUE(second);
    if (second->date == first->date) {
        EXPECT_GT(second->sampleCount, first->sampleCount);
        EXPECT_EQ(second->firstSampleAt, first->firstSampleAt);
    }
}

// Waits until the daily file holds more than `before` samples, or `limit` passes; returns the
// samples of the last completed save seen (files are only ever renamed into place).
std::int64_t samplesAfterNextSave(const test::TempDir& home, std::int64_t before, std::chrono::milliseconds limit) {
    const auto giveUp = std::chrono::steady_clock::now() + limit;
    std::filesystem::file_time_type seen;
    std::int64_t saved = before;
    while (saved <= before && std::chrono::steady_clock::now() < giveUp) {
        std::error_code error;
        const auto written = std::filesystem::last_write_time(dataFolder(home) / "daily-summaries.json", error);
        if (!error && written != seen) {
            seen = written;
            if (const auto history = savedHistory(home)) saved = std::max(saved, samplesOf(*history));
        }
        std::this_thread::sleep_for(5ms);
    }
    return saved;
}

// Starts and SIGKILLs the app `rounds` times in `home`. Saves come every 0.1 s, ticks every
// 0.05 s; every run saves more samples than the one before it within 10 s, and each kill lands
// within the next two saves after the run's first one. After each kill every data file parses and
// holds at least the samples of the last save that completed before it, and nothing was moved
// aside: the next start goes on from there. Returns the samples saved in the end.
std::int64_t killRepeatedly(const test::TempDir& home, int rounds, unsigned seed) {
    const auto folder = dataFolder(home);
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> afterFirstSaveMs(0, 200);
    std::int64_t saved = 0;
    for (int round = 0; round < rounds; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        const pid_t app = startApp(home, "0.1", "0.05");
        const auto before = std::exchange(saved, samplesAfterNextSave(home, saved, 10s));
        EXPECT_GT(saved, before) << "the run saved";
        std::this_thread::sleep_for(std::chrono::milliseconds(afterFirstSaveMs(random)));
        EXPECT_TRUE(WIFSIGNALED(stopApp(app, SIGKILL)));
        const auto history = savedHistory(home);
        if (!history) {
            EXPECT_EQ(saved, 0);
            EXPECT_FALSE(std::filesystem::exists(folder / "daily-summaries.json"));
            continue;
        }
        EXPECT_GE(samplesOf(*history), saved);
        saved = samplesOf(*history);
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            const auto name = entry.path().filename().string();
            EXPECT_EQ(name.find("corrupt"), std::string::npos);
            EXPECT_TRUE(name != "health-history.json" || test::savedFile<std::vector<BatteryHealthEntry>>(entry.path()));
            const auto text = AtomicFile::read(entry.path());
            EXPECT_TRUE(name != "baselines.json" || (text && BaselinesFile::decode(*text)));
        }
        if (::testing::Test::HasFailure()) return saved;
    }
    return saved;
}

// A hundred hard stops, in two data folders side by side (a busy machine's cores are used while
// one app starts). Temporary files of interrupted saves are gone once the next start has saved.
TEST(AppHardStop, AHundredKillsLoseNoSavedSample) {
    test::TempDir first, second;
    auto other = std::async(std::launch::async, [&] { return killRepeatedly(second, 50, 2); });
    const auto saved = killRepeatedly(first, 50, 1);
    other.get();

    const pid_t app = startApp(first, "0.1");
    samplesAfterNextSave(first, saved, 10s);
    EXPECT_EQ(stopApp(app, SIGTERM), 0);
    for (const auto& entry : std::filesystem::directory_iterator(dataFolder(first))) {
        EXPECT_FALSE(entry.path().filename().string().starts_with(".")) << entry.path();
    }
}

}  // namespace
}  // namespace corvelle
