#include "linux/LinuxProcessTable.h"
#include "sampling/ProcessMonitor.h"

#include "support/FakeClock.h"
#include "support/Fixtures.h"
#include "support/ProcessTree.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <functional>

namespace corvelle {
namespace {

// A tree read both ways: guided by the cgroups, and by reading every stat file.
struct BothReads {
    test::TempDir dir;
    test::ProcessTree tree;
    std::shared_ptr<test::FakeClock> clock = std::make_shared<test::FakeClock>();
    LinuxProcessTable* guidedTable = new LinuxProcessTable(dir.path());
    ProcessMonitor guided{std::unique_ptr<ProcessTable>(guidedTable), clock};
    ProcessMonitor full{std::make_unique<LinuxProcessTable>(dir.path(), LinuxProcessTable::Reading::full), clock};
    explicit BothReads(const std::filesystem::path& recorded = {}) : tree(dir.path(), recorded) {}
};

// The read guided by the cgroups gives what reading every stat file gives, with fewer reads, on a
// generated tree and on a recorded session (GNOME and KDE users, services, kernel threads).
TEST(GuidedProcessRead, MatchesTheFullReadWithFewerReads) {
    BothReads made, recorded(test::fixture("process-session"));
    auto &tree = made.tree, &session = recorded.tree;
    const std::string service = "/system.slice/a.service", appX = "/user.slice/app-x.scope";
    for (const auto& [pid, group] : {std::pair{2, "/"}, {3, "/"}, {100, service.c_str()}, {101, service.c_str()},
                                     {200, appX.c_str()}, {201, appX.c_str()}, {300, "/user.slice/app-y.scope"}}) {
        tree.add(pid, group, "p" + std::to_string(pid), pid < 10);  // kernel threads in the root group
    }
    const std::string kde = "/user.slice/user-1001.slice/user@1001.service/", konsole = kde + "app.slice/app-org.kde.konsole-7788.scope";

    // What changes, the seconds to the tick, and the most stat and cpu.stat files the guided read
    // may read.
    const std::tuple<BothReads&, const char*, std::function<void()>, double, std::uint64_t, std::uint64_t> steps[] = {
        {made, "first sight", [] {}, 2, 7, 2},
        {made, "busy", [&] { tree.run(200, 50), tree.run(100, 5); }, 2, 6, 5},
        {made, "idle: the kernel threads' run times alone", [] {}, 2, 0, 2},
        {made, "a kernel thread ran", [&] { tree.run(2, 4); }, 2, 1, 2},
        {made, "moved into a group that ran", [&] { tree.move(300, appX), tree.run(300, 20); }, 2, 1, 4},
        {made, "moved into a new group", [&] { tree.move(101, "/user.slice/app-z.scope"), tree.run(101, 30); }, 2, 1, 5},
        {made, "moved out of a group then removed",
         [&] { tree.move(100, "/system.slice/b.service"), tree.run(100, 3), tree.removeGroup(service); }, 2, 1, 3},
        {made, "pid reused, exits", [&] { tree.exit(200), tree.add(200, appX, "reborn"), tree.exit(300); }, 2, 1, 5},
        {made, "memory reclaimed while idle", [&] { tree.setPages(201, 10); }, ProcessMonitor::kFullReadInterval, 4, 2},
        {recorded, "session: first sight, a zombie and a leader gone before its threads", [] {}, 2, 40, 39},
        {recorded, "session: a tab and the shell busy", [&] { session.run(2051, 40), session.run(3200, 8); }, 2, 12, 22},
        {recorded, "session: idle", [] {}, 2, 0, 3},
        {recorded, "session: a thread of the shell ran, not its first", [&] { session.run(3200, 3); }, 2, 1, 13},
        {recorded, "session: a shell moved between users' groups", [&] { session.move(2300, konsole), session.run(2300, 5); }, 2, 3, 13},
        {recorded, "session: a service stopped after its process moved",
         [&] { session.move(3610, kde + "background.slice/plasma-baloorunner.service"), session.run(3610, 2),
               session.removeGroup(kde + "background.slice/kde-baloo.service"); }, 2, 3, 12},
        {recorded, "session: a pid reused in another group, an app exits",
         [&] { session.exit(2052), session.add(2052, konsole, "kded6"), session.run(2052, 1), session.exit(3500); },
         2, 6, 22},
        {recorded, "session: memory reclaimed while idle", [&] { session.setPages(2400, 10); }, ProcessMonitor::kFullReadInterval, 32, 3},
    };
    for (const auto& [reads, name, change, seconds, mostReads, mostUsageReads] : steps) {
        SCOPED_TRACE(name);
        change();
        reads.clock->advance(seconds);
        const auto statReads = reads.guidedTable->statReads(), usageReads = reads.guidedTable->usageReads();
        const auto expected = reads.full.sample(CoreContext{10, 30}, 50);
        EXPECT_EQ(reads.guided.sample(CoreContext{10, 30}, 50), expected);
        EXPECT_EQ(reads.guided.lastCount(), reads.full.lastCount());
        EXPECT_LE(reads.guidedTable->statReads() - statReads, mostReads);
        EXPECT_LE(reads.guidedTable->usageReads() - usageReads, mostUsageReads);
        const ProcessOrder byMemory{ProcessOrder::Key::memory};
        EXPECT_EQ(reads.guided.top(byMemory, 3), reads.full.top(byMemory, 3));
    }
}

// Without scheduler statistics every run time reads 0, which says nothing.
TEST(GuidedProcessRead, ReadsWhatRanWithoutSchedulerStatistics) {
    BothReads reads;
    reads.tree.dropSchedulerStatistics();
    reads.tree.add(2, "/", "kthreadd", true);
    reads.tree.add(100, "/system.slice/a.service", "a");
    for (int tick = 0; tick < 4; ++tick) {
        reads.tree.run(2, 1), reads.tree.run(100, 1);
        reads.clock->advance(2);
        EXPECT_EQ(reads.guided.sample(CoreContext{10, 30}, 5), reads.full.sample(CoreContext{10, 30}, 5)) << tick;
    }
}

}  // namespace
}  // namespace corvelle
