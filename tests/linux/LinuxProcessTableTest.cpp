#include "linux/LinuxProcessTable.h"
#include "linux/OpenFileLimit.h"
#include "linux/TextFile.h"
#include "linux/XdgDesktopEntries.h"
#include "sampling/ProcessMonitor.h"

#include "support/Each.h"
#include "support/FakeClock.h"
#include "support/Fixtures.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <thread>
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
    EXPECT_EQ(pids, (std::vector<std::int32_t>{1, 2, 7, 30, 812, 813, 900, 901, 902, 950, 960, 961, 970, 971}));

    const auto nsPerTick = 1'000'000'000u / static_cast<std::uint64_t>(sysconf(_SC_CLK_TCK));
    const auto pageSize = static_cast<std::uint64_t>(sysconf(_SC_PAGESIZE));
    Task task;
    ASSERT_TRUE(table.readTask(812, task));
    EXPECT_EQ(fields(task), std::tuple("Web Content", 5000 * nsPerTick, 700 * nsPerTick, 28, 5000u, 51200 * pageSize));
    for (std::int32_t kernel : {2, 7, 30}) EXPECT_TRUE(table.readTask(kernel, task) && task.isKernelThread) << kernel;
    for (std::int32_t bad : {901, 902, 31337}) EXPECT_FALSE(table.readTask(bad, task)) << bad;

    std::string path;
    // The binary of 950 was replaced while running.
    EXPECT_TRUE(table.executablePath(950, path) && path == "/usr/bin/python3.11") << path;
    for (std::int32_t none : {2, 960}) EXPECT_FALSE(table.executablePath(none, path)) << "no file or a memfd";
    EXPECT_TRUE(table.firstArgument(960, path) && path == "/usr/libexec/tracker-extract-3") << path;
    EXPECT_TRUE(table.controlGroup(971, path) &&
                path == "/user.slice/user-1000.slice/user@1000.service/app.slice/app-org.kde.konsole@0a1b2c.service") << path;

    EXPECT_FALSE(LinuxProcessTable(test::fixture("no-such-root")).listPids(pids));
}

TEST(LinuxProcessTable, NamesAndGroupsTheProcessesOfARecordedSession) {
    const auto root = test::fixture("processes");
    const std::vector<std::filesystem::path> dataDirs{"/home/me/.local/share", "/usr/share", "/var/lib/flatpak/exports/share"};
    auto entries = std::make_unique<XdgDesktopEntries>(root, dataDirs);
    EXPECT_EQ(entries->applicationName("../applications/firefox", "en"), std::nullopt);
    ProcessMonitor monitor(std::make_unique<LinuxProcessTable>(root), std::make_shared<test::FakeClock>(),
                           std::move(entries));
    for (const auto& [language, kernel, konsole] :
         {std::tuple{"en", "Linux kernel", std::string("Konsole")}, std::tuple{"es", "Kernel de Linux", std::string("Consola")}}) {
        monitor.setLanguage(language, kernel);
        auto rows = test::each(monitor.sample(std::nullopt, 25), [](const ProcStats& p) { return p.name + "|" + p.appName; });
        std::ranges::sort(rows);
        EXPECT_EQ(rows, (std::vector<std::string>{std::string(kernel) + "|", "a) (b|", "bash|" + konsole, "firefox|Firefox",
                                                  "firefox|Firefox", "konsole|" + konsole, "python3.11|", "sshd|", "systemd|",
                                                  "tracker-extract-3|"}));
    }
}

TEST(LinuxProcessTable, FindsTheServiceManagersControlGroup) {
    const std::pair<std::string, std::string> cases[] = {
        {"0::/user.slice/a.scope\n", "/user.slice/a.scope"},
        {"12:memory:/x\n1:name=systemd:/user.slice/b.service\n0::/\n", "/user.slice/b.service"},  // hybrid
        {"1:name=systemd:/user.slice/b.service\n0::/user.slice/c.scope", "/user.slice/c.scope"},
        {"0::/a:b/c.scope\n", "/a:b/c.scope"}, {"0::/\n", ""}, {"0::relative\n", ""},
        {"4:cpu,cpuacct:/user.slice\n", ""}, {"garbage", ""}, {"", ""},
    };
    for (const auto& [text, path] : cases) EXPECT_EQ(LinuxProcessTable::parseControlGroup(text), path) << text;
}

TEST(XdgDesktopEntries, TakesTheNameInTheLanguageElseTheUntranslatedOne) {
    const std::string files = "# files\n[Desktop Entry]\nName=Files\nName[es]=Archivos\nName[pt_BR]=Arquivos\n";
    const struct { std::string text; const char* language; std::optional<std::string> name; } cases[] = {
        {files, "en", "Files"}, {files, "es", "Archivos"}, {files, "es-MX", "Archivos"}, {files, "es_ES.UTF-8", "Archivos"},
        {files, "pt-BR", "Arquivos"}, {files, "pt", "Files"},
        {"[Desktop Action new]\nName=Open\n[Desktop Entry]\nName = Tool\\sKit\n", "en", "Tool Kit"},
        {"[Desktop Entry]\nName=Files\nName[es]=\n", "es", "Files"},
        {"[Desktop Entry]\nName=First\nName=Second\n", "en", "First"}, {"[Desktop Entry]\nName=bad\xff\n", "en", "bad\uFFFD"},
        {"[Desktop Entry]\nName=\nName[es]=Solo\n", "en", std::nullopt},
        {"Name=Loose\n", "en", std::nullopt}, {"", "en", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(XdgDesktopEntries::parseName(c.text, c.language), c.name) << c.text;
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

// On this kernel: a sleeping process with one thread is idle by its schedstat file until it runs.
TEST(LinuxProcessTable, TellsASleepingProcessIdleUntilItRuns) {
    std::string text;
    if (!TextFile::read("/proc/self/schedstat", text) || LinuxProcessTable::parseRunTime(text) == 0) {
        GTEST_SKIP() << "no scheduler statistics";
    }
    const pid_t child = fork();
    if (child == 0) {  // sleeps, and runs for 20 ms at each SIGUSR1
        signal(SIGUSR1, [](int) {});
        for (;;) {
            pause();
            for (const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(20);
                 std::chrono::steady_clock::now() < until;) {}
        }
    }
    const auto path = "/proc/" + std::to_string(child) + "/stat";
    while (!TextFile::read(path, text) || text.find(") S ") == std::string::npos) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    LinuxProcessTable table;
    Task task;
    ASSERT_TRUE(table.readTask(child, task));
    EXPECT_FALSE(table.isIdle(child)) << "no run time read before the first stat read";
    ASSERT_TRUE(table.readTask(child, task));
    EXPECT_TRUE(table.isIdle(child));
    kill(child, SIGUSR1);
    for (int wait = 0; wait < 200 && table.isIdle(child); ++wait) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_FALSE(table.isIdle(child)) << "it ran";
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
}

// In a child, whose limits the test may lower: the soft limit rises to the hard one, or to 16384,
// and never falls.
TEST(OpenFileLimit, RaisesTheSoftLimitWithinTheHardOne) {
    const rlim_t cases[][3] = {{1024, 4096, 4096}, {1024, 18000, 16384}, {17000, 18000, 17000}};
    for (const auto& [soft, hard, raised] : cases) {
        const pid_t child = fork();
        if (child == 0) {
            rlimit files{soft, hard};
            if (setrlimit(RLIMIT_NOFILE, &files) != 0) _exit(2);
            raiseOpenFileLimit();
            _exit(getrlimit(RLIMIT_NOFILE, &files) == 0 && files.rlim_cur == raised && files.rlim_max == hard ? 0 : 1);
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << soft << " " << hard;
    }
}

}  // namespace
}  // namespace corvelle
