#include "app/QSettingsStore.h"
#include "history/UsageHistory.h"
#include "util/AtomicFile.h"
#include "util/JsonFields.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <thread>

namespace corvelle {
namespace {

// Runs the built app with its data and settings in `home` for about `seconds`, then sends
// SIGTERM; returns the exit status.
int runApp(const test::TempDir& home, double seconds) {
    const pid_t child = fork();
    if (child == 0) {
        setenv("XDG_DATA_HOME", (home / "data").c_str(), 1);
        setenv("XDG_CONFIG_HOME", (home / "config").c_str(), 1);
        // Its own session: no bus to find another Corvelle on, and its lock in this home.
        setenv("DBUS_SESSION_BUS_ADDRESS", ("unix:path=" + (home / "no-bus").string()).c_str(), 1);
        setenv("XDG_RUNTIME_DIR", home.path().c_str(), 1);
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        setenv("ASAN_OPTIONS", "detect_leaks=0", 1);
        execl(CORVELLE_APP_PATH, CORVELLE_APP_PATH, static_cast<char*>(nullptr));
        _exit(127);
    }
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
    kill(child, SIGTERM);
    int status = 0;
    waitpid(child, &status, 0);
    return status;
}

std::optional<DailySnapshot> savedDay(const test::TempDir& home) {
    const auto text = AtomicFile::read(home / "data" / "io.mirelo.corvelle" / "daily-summaries.json");
    const auto history = text ? JsonFields::decodeJson<UsageHistory>(*text) : std::nullopt;
    if (!history || history->dailySnapshots.empty()) return std::nullopt;
    return history->dailySnapshots.back();
}

// Every tick at a one-second interval is in the day's record after SIGTERM, and a second run
// continues the same record.
TEST(AppEndToEnd, SigtermSavesEveryTickOfTheDay) {
    test::TempDir home;
    QSettingsStore(QString::fromStdString((home / "config" / "io.mirelo.corvelle" / "settings.conf").string()))
        .write("io.mirelo.corvelle.pollingInterval", 1.0);

    ASSERT_EQ(runApp(home, 6), 0);  // a normal exit, not death by signal
    const auto first = savedDay(home);
    ASSERT_TRUE(first);
    EXPECT_GE(first->sampleCount, 2);
    // One sample per second between the first and the last, to the whole second the file keeps.
    EXPECT_LE(std::fabs(first->lastSampleAt - first->firstSampleAt - (first->sampleCount - 1)), 1.0);

    ASSERT_EQ(runApp(home, 4), 0);
    const auto second = savedDay(home);
    ASSERT_TRUE(second);
    if (second->date == first->date) {
        EXPECT_GT(second->sampleCount, first->sampleCount);
        EXPECT_EQ(second->firstSampleAt, first->firstSampleAt);
    }
}

}  // namespace
}  // namespace corvelle
