#include "sampling/AppGroups.h"
#include "sampling/AppScope.h"
#include "sampling/ProcessMonitor.h"

#include "support/Each.h"
#include "support/FakeClock.h"
#include "support/FakeProcessTable.h"

#include <gtest/gtest.h>

#include <limits>
#include <tuple>

namespace corvelle {
namespace {

constexpr std::uint64_t kSecond = 1'000'000'000;

struct Harness {
    std::shared_ptr<test::FakeClock> clock = std::make_shared<test::FakeClock>();
    test::FakeProcessTable* table = new test::FakeProcessTable;
    ProcessMonitor monitor{std::unique_ptr<ProcessTable>(table), clock};

    std::vector<ProcStats> sample(std::int64_t max = 15, std::optional<CoreContext> context = std::nullopt) {
        return monitor.sample(context, max);
    }
};

TEST(ProcessMonitor, CpuPercentFromCounterDeltasOverUptime) {
    const struct { std::uint64_t user0, system0, user1, system1; double elapsed, expected; } cases[] = {
        {0, 0, kSecond / 4, kSecond / 4, 2, 25.0},        // 0.5 s over 2 s
        {0, 0, 30 * kSecond, 0, 2, 999.9},                // capped
        {5 * kSecond, 0, kSecond, kSecond / 2, 1, 50.0},  // a counter that went down adds nothing
        {0, 0, kSecond, 0, 0, 0.0},                       // no time elapsed
    };
    for (const auto& c : cases) {
        Harness h;
        auto& task = h.table->add(7, "/usr/bin/tool").task;
        std::tie(task.userTime, task.systemTime) = std::tuple{c.user0, c.system0};
        ASSERT_EQ(h.sample().at(0).cpuPercent, 0.0) << "first sighting";
        std::tie(task.userTime, task.systemTime) = std::tuple{c.user1, c.system1};
        h.clock->advance(c.elapsed);
        EXPECT_DOUBLE_EQ(h.sample().at(0).cpuPercent, c.expected) << c.user1 << " " << c.elapsed;
    }
}

TEST(ProcessMonitor, WeightingFactorScalesEnergyImpact) {
    const struct { std::optional<CoreContext> context; double factor; } cases[] = {
        {std::nullopt, 1.5}, {CoreContext{30, 10}, 1.375}, {CoreContext{0, 0}, 1.0}, {CoreContext{0, 40}, 2.5}};
    for (const auto& c : cases) {
        Harness h;
        auto& process = h.table->add(3, "/usr/bin/busy");
        h.sample();
        process.task.userTime = kSecond;
        h.clock->advance(2);
        EXPECT_DOUBLE_EQ(h.sample(15, c.context).at(0).energyImpact, 50.0 * c.factor);
    }
}

TEST(ProcessMonitor, ResolvesNamesFromPaths) {
    const struct { const char* path; std::optional<std::string> name; } cases[] = {
        {"/System/Applications/Mail.app/Contents/MacOS/Mail", "Mail"},
        {"/Applications/Foo.app/Contents/Frameworks/Foo Renderer.app/Contents/MacOS/Foo Renderer", "Foo"},
        {"/usr/sbin/cfprefsd", "cfprefsd"}, {"/opt/tool/1.2.3", "tool"}, {"/usr/bin/python3.11", "python3.11"},
        {"/srv/Versions/2", "Versions"},     // the folder names match exactly
        {"/home/me/.app/bin/tool", "tool"},  // empty bundle name: path rule
        {"Tool.app/bin", "Tool.app"},        // no "/" before ".app": path rule
        {"/opt/tool/\u0663.\u0664", "tool"}, // Arabic-Indic digits are a version too
        {"/usr/lib/\u216B", std::nullopt},   // so is a Roman numeral
        {"/usr/local/share/1.0/", std::nullopt}, {"", std::nullopt}, {"/usr/bin/ab\xff", "ab\uFFFD"},
    };
    for (const auto& c : cases) EXPECT_EQ(ProcessMonitor::resolveNameFromPath(c.path), c.name) << c.path;
}

TEST(ProcessMonitor, NamesFallBackToTheShortNameAndAreResolvedOncePerProcess) {
    Harness h;
    auto& first = h.table->add(1, "/usr/lib/systemd/systemd");
    h.table->add(2, "", "kworker/0:1");
    h.table->add(3, "/usr/bin", "bad\xc3");
    h.table->add(4, "", "");  // nameless: skipped
    h.table->add(5, "", "exe").argument = "/usr/libexec/tracker-extract-3";
    h.table->add(6, "", "sshd").argument = "sshd: alice [priv]";  // a title, not a program
    EXPECT_EQ(test::each(h.sample(), &ProcStats::name),
              (std::vector<std::string>{"systemd", "kworker/0:1", "bad\uFFFD", "tracker-extract-3", "sshd"}));
    h.sample();
    EXPECT_EQ(h.table->pathReads, 6 + 1) << "only the nameless process is looked up again";

    first.path = "/usr/bin/second";
    first.task.startTime = 200;  // a new process under the same pid
    EXPECT_EQ(h.sample().at(0).name, "second");
    first.path = "/usr/bin/third";
    first.task.shortName = "third";  // the same process ran another program
    EXPECT_EQ(h.sample().at(0).name, "third");
}

TEST(ProcessMonitor, SortsStablyAndKeepsAtMostTheAskedCount) {
    Harness h;
    for (std::int32_t pid : {50, 40, 30, 20, 10}) h.table->add(pid, "/usr/bin/p" + std::to_string(pid));
    h.sample();
    h.table->processes[30].task.userTime = kSecond;
    h.table->processes[10].task.userTime = kSecond / 2;
    h.table->processes[40].task.userTime = kSecond / 2;
    h.clock->advance(1);
    EXPECT_EQ(test::each(h.sample(4), &ProcStats::pid), (std::vector<std::int32_t>{30, 40, 10, 50}));
    EXPECT_TRUE(h.sample(0).empty());
    EXPECT_TRUE(h.sample(-3).empty());
}

TEST(ProcessMonitor, ForgetsProcessesThatLeaveTheList) {
    Harness h;
    auto& task = h.table->add(5, "/usr/bin/app").task;
    h.sample();
    // A failed listing empties the result and drops every remembered counter.
    h.table->listingFails = true;
    EXPECT_TRUE(h.sample().empty());
    h.table->listingFails = false;
    task.userTime = kSecond;
    h.clock->advance(1);
    EXPECT_EQ(h.sample().at(0).cpuPercent, 0.0);

    // An unreadable process is skipped, yet keeps its counters while it is listed.
    const auto kept = h.table->processes[5];
    h.table->processes.erase(5);
    h.clock->advance(1);
    EXPECT_TRUE(h.sample().empty());
    h.table->processes[5] = kept;
    h.table->processes[5].task.userTime = 3 * kSecond;
    h.clock->advance(1);
    EXPECT_EQ(h.sample().at(0).cpuPercent, 100.0);  // 2 s of CPU over the 2 s since it was last read
}

TEST(ProcessMonitor, KernelThreadsAreOneRowWithTheirSummedCpu) {
    Harness h;
    for (std::int32_t pid : {2, 3, 4}) {
        auto& task = h.table->add(pid, "", "kworker/" + std::to_string(pid)).task;
        std::tie(task.isKernelThread, task.threadCount) = std::tuple{true, 1};
    }
    h.table->add(9, "/usr/bin/app");
    h.sample();
    h.table->processes[3].task.userTime = h.table->processes[4].task.systemTime = kSecond / 2;
    h.table->processes[9].task.userTime = kSecond / 10;
    h.clock->advance(1);
    h.monitor.setLanguage("es", "Kernel de Linux");
    const auto rows = h.sample();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(std::tuple(rows[0].pid, rows[0].name, rows[0].cpuPercent, rows[0].threadCount),
              std::tuple(0, "Kernel de Linux", 100.0, 3));
    EXPECT_EQ(h.table->pathReads, 1) << "kernel threads need no name";
    EXPECT_EQ(h.monitor.top({ProcessOrder::Key::name, true}, 1).at(0).name, "app");
}

// Names one application in English and Spanish; counts its reads.
struct FilesEntry : DesktopEntries {
    int reads = 0;
    std::optional<std::string> applicationName(std::string_view id, std::string_view language) override {
        ++reads;
        if (id != "org.gnome.Nautilus") return std::nullopt;
        return language == "es" ? "Archivos" : "Files";
    }
};

TEST(ProcessMonitor, GroupsTheProcessesOfAnAppScopeUnderItsNameReadOncePerApp) {
    auto* table = new test::FakeProcessTable;
    auto* entries = new FilesEntry;
    ProcessMonitor monitor(std::unique_ptr<ProcessTable>(table), std::make_shared<test::FakeClock>(),
                           std::unique_ptr<DesktopEntries>(entries));
    const std::string apps = "/user.slice/user-1000.slice/user@1000.service/app.slice/";
    for (std::int32_t pid : {1, 2, 3}) {
        const auto n = std::to_string(pid);
        table->add(pid, "/usr/bin/nautilus-" + n).controlGroup = apps + "app-gnome-org.gnome.Nautilus-" + n + ".scope";
    }
    table->add(4, "/usr/bin/other").controlGroup = apps + "app-gnome-unknown-4.scope";
    table->add(5, "/usr/bin/plain");
    using Groups = std::vector<std::pair<std::string, std::int64_t>>;
    const auto groups = [&] {
        return test::each(buildAppGroups(monitor.sample(std::nullopt, 15)),
                          [](const AppGroup& g) { return std::pair(g.name, g.processCount); });
    };
    EXPECT_EQ(groups(), (Groups{{"Files", 3}, {"other", 1}, {"plain", 1}}));
    groups();
    EXPECT_EQ(entries->reads, 2) << "one read per desktop id, not per process or tick";
    monitor.setLanguage("es", "Kernel de Linux");
    EXPECT_EQ(groups(), (Groups{{"Archivos", 3}, {"other", 1}, {"plain", 1}}));
    EXPECT_EQ(entries->reads, 4);
}

TEST(AppScope, DesktopIdOfTheSessionsAppUnits) {
    const std::string apps = "/user.slice/user-1000.slice/user@1000.service/app.slice/";
    const std::pair<std::string, std::optional<std::string>> cases[] = {
        {apps + "app-gnome-firefox-1234.scope", "firefox"},
        {apps + "app-gnome-org.gnome.Nautilus-4242.scope", "org.gnome.Nautilus"},
        {apps + "app-gnome-google\\x2dchrome-77.scope", "google-chrome"},
        {apps + "app-org.kde.konsole-5678.scope", "org.kde.konsole"}, {apps + "app-org.kde.konsole@0a1b2c.service", "org.kde.konsole"},
        {apps + "app-firefox-5678.scope", "firefox"}, {apps + "app-flatpak-org.mozilla.firefox-999.scope", "org.mozilla.firefox"},
        {apps + "app-flatpak-org.mozilla.firefox-999.scope/inner", "org.mozilla.firefox"},
        {apps + "app-org.gnome.Evolution\\x2dalarm\\x2dnotify@autostart.service", "org.gnome.Evolution-alarm-notify"},
        {apps + "app-nautilus-autostart.service", "nautilus"},
        // A terminal tab, a tail that is no random one, the manager's own unit, a login session, a system unit.
        {apps + "vte-spawn-1b2c3d.scope", std::nullopt}, {apps + "app-gnome-firefox-12.34.scope", std::nullopt},
        {"/user.slice/user-1000.slice/user@1000.service/init.scope", std::nullopt},
        {"/user.slice/user-1000.slice/session-2.scope", std::nullopt}, {"/system.slice/app-firefox-1.scope", std::nullopt},
        {apps, std::nullopt}, {"", std::nullopt},
    };
    for (const auto& [path, id] : cases) EXPECT_EQ(desktopIdOfControlGroup(path), id) << path;
}

TEST(AppGroups, SumsProcessesOfOneNameAndSortsByTotalCpu) {
    constexpr std::uint64_t MB = 1'000'000;
    const std::vector<ProcStats> processes = {
        {1, "Foo", 25, 100 * MB, 4, 30}, {2, "Bar", 20, 10 * MB, 1, 20}, {3, "Foo", 5, 50 * MB, 2, 6},
        {4, "Foo", 10, 200 * MB, 9, 12}, {5, "Baz", 20, 5 * MB, 1, 20},
    };
    const std::vector<AppGroup> expected = {
        {"Foo", 40, 350 * MB, 3, 30}, {"Bar", 20, 10 * MB, 1, 20}, {"Baz", 20, 5 * MB, 1, 20}};
    EXPECT_EQ(buildAppGroups(processes), expected);

    constexpr auto kMax = std::numeric_limits<std::uint64_t>::max();
    EXPECT_EQ(buildAppGroups({{1, "Big", 0, kMax - 1, 1, 0}, {2, "Big", 0, 5, 1, 0}}).at(0).totalMemory, kMax);
}

}  // namespace
}  // namespace corvelle
