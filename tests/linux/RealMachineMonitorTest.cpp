#include "linux/LinuxMachine.h"
#include "monitor/SystemMonitor.h"
#include "settings/MemoryKeyValueStore.h"

#include "support/ManualEventLoop.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <thread>

namespace corvelle {
namespace {

// What ps says about a process: CPU percent over its life, resident KiB, threads.
struct PsFigures {
    double cpu = 0;
    unsigned long rssKiB = 0;
    long threads = 0;
};
std::optional<PsFigures> ps(pid_t pid) {
    FILE* pipe = popen(("ps -o %cpu=,rss=,nlwp= -p " + std::to_string(pid)).c_str(), "r");
    if (!pipe) return std::nullopt;
    PsFigures f;
    const int fields = std::fscanf(pipe, "%lf %lu %ld", &f.cpu, &f.rssKiB, &f.threads);
    pclose(pipe);
    return fields == 3 ? std::optional(f) : std::nullopt;
}

// The monitor on this machine: a spinning child shows among the busiest processes with
// figures like those of ps, and the alert baselines reach the app-support folder.
TEST(RealMachine, TheMonitorShowsABusyChildLikePsAndSavesBaselines) {
    test::TempDir dir;
    test::FakeClock loopClock;
    AppSettings settings(std::make_shared<MemoryKeyValueStore>(), nullptr);
    MachineSources sources = makeLinuxMachineSources();
    auto loop = std::make_shared<test::ManualEventLoop>(loopClock);
    sources.eventLoop = loop;
    sources.dataFolder = dir.path();
    SystemMonitor monitor(settings, std::move(sources));
    monitor.setPopoverVisible(true);

    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        volatile unsigned long spin = 0;
        for (;;) spin = spin + 1;
    }
    monitor.poll();
    std::this_thread::sleep_for(std::chrono::milliseconds(800));
    monitor.poll();
    const auto figures = ps(child);
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);

    const auto& top = monitor.stats()->topProcesses;
    const auto found = std::ranges::find(top, child, &ProcStats::pid);
    ASSERT_NE(found, top.end()) << "the spinning child is among the busiest";
    ASSERT_TRUE(figures);
    // ps averages over the child's life, which is about our window. The machine may be
    // shared, so neither figure need reach a whole core.
    EXPECT_GT(found->cpuPercent, 10.0);
    EXPECT_LE(found->cpuPercent, 101.0);
    EXPECT_NEAR(found->cpuPercent, figures->cpu, 15.0);
    EXPECT_EQ(found->threadCount, figures->threads);
    EXPECT_NEAR(static_cast<double>(found->memoryBytes) / 1024.0, static_cast<double>(figures->rssKiB),
                0.1 * static_cast<double>(figures->rssKiB));
    EXPECT_FALSE(monitor.stats()->appGroups.empty());

    // Hidden ticks feed the baselines on any power source.
    monitor.setPopoverVisible(false);
    monitor.poll();
    loop->advance(30);
    EXPECT_TRUE(std::filesystem::is_regular_file(dir / "baselines.json"));
}

}  // namespace
}  // namespace corvelle
