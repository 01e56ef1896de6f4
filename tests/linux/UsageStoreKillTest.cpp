#include "history/UsageStore.h"
#include "util/AtomicFile.h"
#include "util/JsonFields.h"

#include "support/FakeClock.h"
#include "support/ManualEventLoop.h"
#include "support/SampleHistory.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <random>

namespace corvelle {
namespace {

// The device flush of a slow disk: most of a save's time is then spent with the new data
// written and not yet renamed into place.
bool slowSync(std::FILE* file) {
    const bool synced = fsync(fileno(file)) == 0;
    usleep(20000);
    return synced;
}

// A process killed while it saves leaves the previous or the new daily file, never a torn one.
TEST(UsageStoreKill, AKilledSaveLeavesAWholeFile) {
    test::TempDir dir;
    auto clock = std::make_shared<test::FakeClock>();
    auto loop = std::make_shared<test::ManualEventLoop>(*clock);
    const auto days = test::busyHistory(clock->now(), 30);
    ASSERT_TRUE(AtomicFile::write(dir / "daily-summaries.json", *JsonFields::encodeJson(days)));
    UsageStore store(DataFolder(dir.path(), slowSync), clock, loop);
    store.load();

    const auto started = std::chrono::steady_clock::now();
    store.performSave();
    const auto saveMicroseconds =
        std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - started).count();

    std::mt19937 random(12345);
    int interrupted = 0;
    for (int round = 0; round < 30 && interrupted < 3; ++round) {
        int ready[2];
        ASSERT_EQ(pipe(ready), 0);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (std::int64_t count = 1;; ++count) {
                auto today = store.todaySnapshot();
                today.sampleCount = count;
                store.updateTodaySnapshot(today);
                store.performSave();
                if (count == 1) (void)!write(ready[1], "x", 1);
            }
        }
        char byte;
        ASSERT_EQ(read(ready[0], &byte, 1), 1);
        close(ready[0]);
        close(ready[1]);
        usleep(std::uniform_int_distribution<useconds_t>(0, 2 * saveMicroseconds)(random));
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);

        const auto loaded = JsonFields::decodeJson<UsageHistory>(*AtomicFile::read(dir / "daily-summaries.json"));
        ASSERT_TRUE(loaded) << "round " << round;
        ASSERT_EQ(loaded->dailySnapshots.size(), days.dailySnapshots.size());
        for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
            if (entry.path().filename().string().starts_with(".")) {
                ++interrupted;  // a temporary file: the kill came in the middle of a save
                std::filesystem::remove(entry.path());
            }
        }
    }
    EXPECT_GT(interrupted, 0);
}

}  // namespace
}  // namespace corvelle
