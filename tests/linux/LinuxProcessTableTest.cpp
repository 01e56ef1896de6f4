#include "linux/LinuxProcessTable.h"
#include "sampling/ProcessMonitor.h"

#include "support/FakeClock.h"
#include "support/Fixtures.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>

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

    ProcessMonitor monitor(std::make_unique<LinuxProcessTable>(test::fixture("processes")),
                           std::make_shared<test::FakeClock>());
    std::vector<std::string> names;
    for (const auto& p : monitor.sample(std::nullopt, 15)) names.push_back(p.name);
    std::ranges::sort(names);
    EXPECT_EQ(names, (std::vector<std::string>{"a) (b", "firefox", "kthreadd", "python3.11", "systemd"}));
}

// A child that sleeps until killed.
pid_t spawnSleeper() {
    const pid_t child = fork();
    if (child == 0) {
        pause();
        _exit(0);
    }
    return child;
}

TEST(LinuxProcessTable, LetsGoOfProcessesThatExit) {
    LinuxProcessTable table;
    std::vector<std::int32_t> pids;
    Task task;
    // A gone process is let go when read again, or else at the next listing.
    for (const bool readAgain : {true, false}) {
        SCOPED_TRACE(readAgain ? "read again" : "listed");
        const pid_t child = spawnSleeper();
        ASSERT_GT(child, 0);
        ASSERT_TRUE(table.readTask(child, task));
        ASSERT_TRUE(table.readTask(child, task)) << "read again through the file held open";
        EXPECT_EQ(table.openStatCount(), 1u);
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        if (readAgain) {
            EXPECT_FALSE(table.readTask(child, task)) << "a held file never shows a gone process";
        } else {
            table.listPids(pids);
        }
        EXPECT_EQ(table.openStatCount(), 0u);
    }
}

}  // namespace
}  // namespace corvelle
