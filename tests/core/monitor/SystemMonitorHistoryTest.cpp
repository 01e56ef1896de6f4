#include "support/MonitorHarness.h"
#include "support/SavedFile.h"
#include "support/ScopedTimeZone.h"

#include <gtest/gtest.h>

#include <map>

namespace corvelle {
namespace {

std::optional<UsageHistory> savedHistory(const test::MonitorHarness& h) {
    return test::savedFile<UsageHistory>(h.dir / "daily-summaries.json");
}

TEST(SystemMonitorHistory, TicksAreFoldedAndSavedOnStopAndARestartContinuesTheDay) {
    test::ScopedTimeZone zone("UTC0");
    test::MonitorHarness h;
    h.clock->setNow(1751284800);  // 2025-06-30 12:00
    h.settings.setPollingInterval(1);
    auto& monitor = h.make();
    monitor.start();  // one tick
    h.loop->advance(4.5);  // four more
    EXPECT_FALSE(savedHistory(h));  // the first periodic write is five minutes of samples away
    monitor.stop();
    auto saved = savedHistory(h);
    ASSERT_TRUE(saved);
    ASSERT_EQ(saved->dailySnapshots.size(), 1u);
    EXPECT_EQ(saved->dailySnapshots[0].date, "2025-06-30");
    EXPECT_EQ(saved->dailySnapshots[0].sampleCount, 5);

    h.make().start();
    h.monitor->stop();
    saved = savedHistory(h);
    EXPECT_EQ(saved->dailySnapshots[0].sampleCount, 6);
    EXPECT_EQ(h.monitor->usageStore().todaySnapshot().sampleCount, 6);
}

TEST(SystemMonitorHistory, TheFirstTickOfANewDaySavesTheFinishedDay) {
    test::ScopedTimeZone zone("UTC0");
    test::MonitorHarness h;
    h.clock->setNow(1751327990);  // 2025-06-30 23:59:50
    h.settings.setPollingInterval(2);
    h.make().start();
    h.loop->advance(11);
    const auto saved = savedHistory(h);
    ASSERT_TRUE(saved);
    ASSERT_EQ(saved->dailySnapshots.size(), 1u);
    EXPECT_EQ(saved->dailySnapshots[0].sampleCount, 5);
    EXPECT_EQ(h.monitor->usageStore().todaySnapshot().sampleCount, 1);
}

std::map<std::string, std::string> folderContents(const std::filesystem::path& folder) {
    std::map<std::string, std::string> contents;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        contents[entry.path().filename()] = AtomicFile::read(entry.path()).value_or("<unreadable>");
    }
    return contents;
}

// A monitor on a read-only folder goes on from the saved day but changes nothing in the folder,
// not even at a save checkpoint, at stop or on finding a damaged file.
TEST(SystemMonitorHistory, AReadOnlyFolderIsReadButNeverWritten) {
    test::ScopedTimeZone zone("UTC0");
    test::MonitorHarness h;
    h.clock->setNow(1751284800);  // 2025-06-30 12:00
    h.settings.setPollingInterval(2);
    h.make().start();
    h.monitor->stop();
    ASSERT_TRUE(AtomicFile::write(h.dir / "baselines.json", "{damaged"));
    const auto before = folderContents(h.dir.path());

    auto sources = h.sources();
    sources.dataFolder = DataFolder::readOnly(h.dir.path());
    h.monitor = std::make_unique<SystemMonitor>(h.settings, std::move(sources));
    h.monitor->start();
    EXPECT_EQ(h.monitor->usageStore().todaySnapshot().sampleCount, 2);
    h.loop->advance(400);
    h.monitor->stop();
    EXPECT_EQ(folderContents(h.dir.path()), before);
}

}  // namespace
}  // namespace corvelle
