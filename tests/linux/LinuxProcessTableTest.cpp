#include "linux/LinuxProcessTable.h"
#include "linux/SystemClock.h"
#include "sampling/ProcessMonitor.h"

#include "support/FakeClock.h"
#include "support/Fixtures.h"

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

using Task = ProcessTable::Task;

// A stat line with the given name and the fields the table reads; the rest are typical values.
std::string statLine(const std::string& name, const std::string& utime = "250", const std::string& stime = "50",
                     const std::string& threads = "3", const std::string& rss = "1000") {
    return "4242 (" + name + ") S 1 4242 4242 0 -1 4194560 100 0 0 0 " + utime + " " + stime + " 0 0 20 0 " +
           threads + " 0 777 100000 " + rss + " 18446744073709551615 1 1 0 0 0 0 0 4096 0 0 0 0 17 0 0\n";
}

TEST(LinuxProcessTable, ParsesStatLinesWithHostileNames) {
    const LinuxProcessTable::Units units{100, 4096};
    for (const std::string name : {"bash", "Web Content", "a) (b", ")", "((", "x) S 1 2 3 4", "two\nlines", ""}) {
        Task task;
        ASSERT_TRUE(LinuxProcessTable::parseStat(statLine(name), units, task)) << name;
        EXPECT_EQ(task.shortName, name);
        EXPECT_EQ(task.userTime, 2'500'000'000u);
        EXPECT_EQ(task.systemTime, 500'000'000u);
        EXPECT_EQ(task.threadCount, 3);
        EXPECT_EQ(task.startTime, 777u);
        EXPECT_EQ(task.residentSize, 4'096'000u);
    }
    Task task;
    ASSERT_TRUE(LinuxProcessTable::parseStat(statLine("odd", "7", "0"), {300, 16384}, task));
    EXPECT_EQ(task.userTime, 23'333'333u);
}

TEST(LinuxProcessTable, RejectsTruncatedOrGarbageStatLines) {
    const LinuxProcessTable::Units units{100, 4096};
    const std::string cases[] = {
        "",
        "4242 bash S 1 4242",
        "4242 (bash) S 1 4242 4242 0 -1 4194560 100 0 0 0 250 50",
        statLine("bash", "25x"),
        statLine("bash", "-1"),
        statLine("bash", "250", "50", "-2"),
        statLine("bash", "250", "50", "3", "-5"),
        statLine("bash", "18446744073709551615"),          // nanoseconds past 64 bits
        statLine("bash", "250", "50", "3", "9223372036854775807"),  // bytes past 64 bits
        statLine("bash", "99999999999999999999999"),
        "4242 )bash( S 1",
    };
    for (const auto& line : cases) {
        Task task;
        EXPECT_FALSE(LinuxProcessTable::parseStat(line, units, task)) << line;
    }
}

TEST(LinuxProcessTable, ReadsARecordedTree) {
    LinuxProcessTable table(test::fixture("processes"));
    std::vector<std::int32_t> pids;
    ASSERT_TRUE(table.listPids(pids));
    std::ranges::sort(pids);
    EXPECT_EQ(pids, (std::vector<std::int32_t>{1, 2, 812, 900, 901, 902, 950}));

    const auto nsPerTick = 1'000'000'000u / static_cast<std::uint64_t>(sysconf(_SC_CLK_TCK));
    Task task;
    ASSERT_TRUE(table.readTask(812, task));
    EXPECT_EQ(task.shortName, "Web Content");
    EXPECT_EQ(task.userTime, 5000 * nsPerTick);
    EXPECT_EQ(task.residentSize, 51200u * static_cast<std::uint64_t>(sysconf(_SC_PAGESIZE)));
    EXPECT_EQ(task.threadCount, 28);
    for (std::int32_t bad : {901, 902, 31337}) EXPECT_FALSE(table.readTask(bad, task)) << bad;

    std::string path;
    ASSERT_TRUE(table.executablePath(950, path));
    EXPECT_EQ(path, "/usr/bin/python3.11");  // the binary was replaced while running
    EXPECT_FALSE(table.executablePath(2, path));

    EXPECT_FALSE(LinuxProcessTable(test::fixture("no-such-root")).listPids(pids));
}

TEST(LinuxProcessTable, NamesTheProcessesOfARecordedTree) {
    ProcessMonitor monitor(std::make_unique<LinuxProcessTable>(test::fixture("processes")),
                           std::make_shared<test::FakeClock>());
    std::vector<std::string> names;
    for (const auto& p : monitor.sample(std::nullopt, 15)) names.push_back(p.name);
    std::ranges::sort(names);
    EXPECT_EQ(names, (std::vector<std::string>{"a) (b", "firefox", "kthreadd", "python3.11", "systemd"}));
}

pid_t spawnSleeper() {
    const pid_t child = fork();
    if (child == 0) {
        pause();
        _exit(0);
    }
    return child;
}

void endChild(pid_t child) {
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
}

TEST(LinuxProcessTable, LetsGoOfProcessesThatExit) {
    LinuxProcessTable table;
    std::vector<std::int32_t> pids;
    Task task;
    const pid_t first = spawnSleeper();
    ASSERT_GT(first, 0);
    ASSERT_TRUE(table.readTask(first, task));
    ASSERT_TRUE(table.readTask(first, task)) << "read again through the file held open";
    EXPECT_EQ(table.openStatCount(), 1u);
    endChild(first);
    EXPECT_FALSE(table.readTask(first, task)) << "a held file never shows a gone process";
    EXPECT_EQ(table.openStatCount(), 0u);

    const pid_t second = spawnSleeper();
    ASSERT_GT(second, 0);
    ASSERT_TRUE(table.readTask(second, task));
    EXPECT_EQ(table.openStatCount(), 1u);
    endChild(second);
    table.listPids(pids);
    EXPECT_EQ(table.openStatCount(), 0u) << "the next listing closes what it no longer lists";
}

// What ps says about a process: CPU percent, resident KiB, threads.
struct PsFigures {
    double cpu = 0;
    std::uint64_t rssKiB = 0;
    long threads = 0;
};
std::optional<PsFigures> ps(pid_t pid) {
    const auto command = "ps -o %cpu=,rss=,nlwp= -p " + std::to_string(pid);
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return std::nullopt;
    PsFigures figures;
    const int fields = std::fscanf(pipe, "%lf %lu %ld", &figures.cpu, &figures.rssKiB, &figures.threads);
    pclose(pipe);
    if (fields != 3) return std::nullopt;
    return figures;
}

TEST(LinuxProcessTable, ABusyChildShowsUpHighLikeInPs) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        volatile unsigned long spin = 0;
        for (;;) spin = spin + 1;
    }
    ProcessMonitor monitor(std::make_unique<LinuxProcessTable>(), std::make_shared<SystemClock>());
    monitor.sample(std::nullopt, 15);
    std::this_thread::sleep_for(std::chrono::milliseconds(800));
    const auto top = monitor.sample(std::nullopt, 15);
    const auto figures = ps(child);
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);

    const auto found = std::ranges::find(top, child, &ProcStats::pid);
    ASSERT_NE(found, top.end()) << "the spinning child is among the busiest";
    ASSERT_TRUE(figures);
    // ps averages over the child's life, which is about our sampling window. The machine is
    // shared, so neither figure need reach a whole core.
    EXPECT_GT(found->cpuPercent, 10.0);
    EXPECT_LE(found->cpuPercent, 101.0);
    EXPECT_NEAR(found->cpuPercent, figures->cpu, 15.0);
    EXPECT_EQ(found->threadCount, figures->threads);
    EXPECT_NEAR(static_cast<double>(found->memoryBytes) / 1024.0, static_cast<double>(figures->rssKiB),
                0.1 * static_cast<double>(figures->rssKiB));
}

}  // namespace
}  // namespace corvelle
