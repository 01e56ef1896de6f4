#include "linux/LinuxProcessTable.h"
#include "sampling/ProcessMonitor.h"

#include "support/FakeClock.h"
#include "support/Fixtures.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <tuple>

namespace corvelle {
namespace {

using Task = ProcessTable::Task;

// A stat line with the given name and the fields the table reads; the rest are typical values.
std::string statLine(const std::string& name, const std::string& utime = "250", const std::string& stime = "50",
                     const std::string& threads = "3", const std::string& rss = "1000") {
    return "4242 (" + name + ") S 1 4242 4242 0 -1 4194560 100 0 0 0 " + utime + " " + stime + " 0 0 20 0 " +
           threads + " 0 777 100000 " + rss + " 18446744073709551615 1 1 0 0 0 0 0 4096 0 0 0 0 17 0 0\n";
}

// What the table read of a task, in one comparable value.
auto fields(const Task& t) {
    return std::tuple(t.shortName, t.userTime, t.systemTime, t.threadCount, t.startTime, t.residentSize);
}

TEST(LinuxProcessTable, ParsesStatLinesWithHostileNames) {
    for (const std::string name : {"bash", "Web Content", "a) (b", ")", "((", "x) S 1 2 3 4", "two\nlines", ""}) {
        Task task;
        ASSERT_TRUE(LinuxProcessTable::parseStat(statLine(name), {100, 4096}, task)) << name;
        EXPECT_EQ(fields(task), std::tuple(name, 2'500'000'000u, 500'000'000u, 3, 777u, 4'096'000u));
    }
    Task task;
    ASSERT_TRUE(LinuxProcessTable::parseStat(statLine("odd", "7", "0"), {300, 16384}, task));
    EXPECT_EQ(task.userTime, 23'333'333u);
}

TEST(LinuxProcessTable, RejectsTruncatedOrGarbageStatLines) {
    const std::string cases[] = {
        "", "4242 bash S 1 4242", "4242 (bash) S 1 4242 4242 0 -1 4194560 100 0 0 0 250 50", "4242 )bash( S 1",
        statLine("bash", "25x"), statLine("bash", "-1"), statLine("bash", "250", "50", "-2"),
        statLine("bash", "250", "50", "3", "-5"), statLine("bash", "99999999999999999999999"),
        statLine("bash", "18446744073709551615"),                   // nanoseconds past 64 bits
        statLine("bash", "250", "50", "3", "9223372036854775807"),  // bytes past 64 bits
    };
    for (const auto& line : cases) {
        Task task;
        EXPECT_FALSE(LinuxProcessTable::parseStat(line, {100, 4096}, task)) << line;
    }
}

TEST(LinuxProcessTable, ReadsARecordedTree) {
    LinuxProcessTable table(test::fixture("processes"));
    std::vector<std::int32_t> pids;
    ASSERT_TRUE(table.listPids(pids));
    std::ranges::sort(pids);
    EXPECT_EQ(pids, (std::vector<std::int32_t>{1, 2, 812, 900, 901, 902, 950}));

    const auto nsPerTick = 1'000'000'000u / static_cast<std::uint64_t>(sysconf(_SC_CLK_TCK));
    const auto pageSize = static_cast<std::uint64_t>(sysconf(_SC_PAGESIZE));
    Task task;
    ASSERT_TRUE(table.readTask(812, task));
    EXPECT_EQ(fields(task), std::tuple("Web Content", 5000 * nsPerTick, 700 * nsPerTick, 28, 5000u, 51200 * pageSize));
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

TEST(LinuxProcessTable, LetsGoOfProcessesThatExit) {
    LinuxProcessTable table;
    std::vector<std::int32_t> pids;
    Task task;
    // A gone process is let go when read again, or else at the next listing.
    for (const bool readAgain : {true, false}) {
        SCOPED_TRACE(readAgain ? "read again" : "listed");
        const pid_t child = fork();
        if (child == 0) {  // sleeps until killed
            pause();
            _exit(0);
        }
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
