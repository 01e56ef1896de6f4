#include "linux/LinuxMachine.h"

#include "support/MonitorHarness.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <thread>

namespace corvelle {
namespace {

// The monitor on this machine: a spinning child shows among the busiest processes with figures
// that agree with what the kernel accounted to it (wait4), however busy the machine is, and the
// alert baselines reach the app-support folder.
TEST(RealMachine, TheMonitorShowsABusyChildAsTheKernelAccountsItAndSavesBaselines) {
    test::MonitorHarness h;
    SystemMonitor& monitor = h.make(makeLinuxMachineSources());
    monitor.setPopoverVisible(true);

    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        setpriority(PRIO_PROCESS, 0, -20);  // among the busiest even on a crowded machine, where allowed
        volatile unsigned long spin = 0;
        for (;;) spin = spin + 1;
    }
    const auto started = std::chrono::steady_clock::now();
    monitor.poll();
    std::this_thread::sleep_for(std::chrono::milliseconds(800));
    monitor.poll();
    const std::chrono::duration<double> window = std::chrono::steady_clock::now() - started;
    kill(child, SIGKILL);
    rusage usage{};
    wait4(child, nullptr, 0, &usage);
    const double cpuSeconds = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                              static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;

    const auto& top = monitor.stats()->topProcesses;
    const auto found = std::ranges::find(top, child, &ProcStats::pid);
    ASSERT_NE(found, top.end()) << "the spinning child is among the busiest";
    // The share between the polls cannot exceed what the child used in all its life (which is
    // little more than the window), nor a whole core; on a loaded machine it may be small.
    EXPECT_GT(found->cpuPercent, 0.0);
    EXPECT_LE(found->cpuPercent, 101.0);
    EXPECT_LE(found->cpuPercent / 100.0 * 0.8, cpuSeconds + 0.05) << "window " << window.count();
    EXPECT_EQ(found->threadCount, 1);
    EXPECT_GT(found->memoryBytes, 0u);
    EXPECT_LE(found->memoryBytes / 1024, static_cast<std::uint64_t>(usage.ru_maxrss));
    EXPECT_FALSE(monitor.stats()->appGroups.empty());

    // Hidden ticks feed the baselines on any power source.
    monitor.setPopoverVisible(false);
    monitor.poll();
    h.loop->advance(30);
    EXPECT_TRUE(std::filesystem::is_regular_file(h.dir / "baselines.json"));
}

}  // namespace
}  // namespace corvelle
