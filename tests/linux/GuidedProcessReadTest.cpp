#include "linux/LinuxProcessTable.h"
#include "sampling/ProcessMonitor.h"

#include "support/FakeClock.h"
#include "support/ProcessTree.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <functional>

namespace corvelle {
namespace {

// The read guided by the cgroups gives what reading every stat file gives, with fewer reads.
TEST(GuidedProcessRead, MatchesTheFullReadWithFewerReads) {
    test::TempDir dir;
    test::ProcessTree tree(dir.path());
    const std::string service = "/system.slice/a.service", appX = "/user.slice/app-x.scope";
    for (const auto& [pid, group] : {std::pair{2, "/"}, {3, "/"}, {100, service.c_str()}, {101, service.c_str()},
                                     {200, appX.c_str()}, {201, appX.c_str()}, {300, "/user.slice/app-y.scope"}}) {
        tree.add(pid, group, "p" + std::to_string(pid), pid < 10);  // kernel threads in the root group
    }
    auto clock = std::make_shared<test::FakeClock>();
    auto* guidedTable = new LinuxProcessTable(dir.path());
    ProcessMonitor guided(std::unique_ptr<ProcessTable>(guidedTable), clock);
    ProcessMonitor full(std::make_unique<LinuxProcessTable>(dir.path(), LinuxProcessTable::Reading::full), clock);

    // What changes, the seconds to the tick, and the most stat files the guided read may read.
    const std::tuple<const char*, std::function<void()>, double, std::uint64_t> steps[] = {
        {"first sight", [] {}, 2, 7},
        {"busy", [&] { tree.run(200, 50), tree.run(100, 5); }, 2, 6},
        {"idle: only the root group's kernel threads", [] {}, 2, 2},
        {"moved into a group that ran", [&] { tree.move(300, appX), tree.run(300, 20); }, 2, 5},
        {"moved into a new group", [&] { tree.move(101, "/user.slice/app-z.scope"), tree.run(101, 30); }, 2, 3},
        {"moved out of a group then removed",
         [&] { tree.move(100, "/system.slice/b.service"), tree.run(100, 3), tree.removeGroup(service); }, 2, 3},
        {"pid reused, exits", [&] { tree.exit(200), tree.add(200, appX, "reborn"), tree.exit(300); }, 2, 4},
        {"memory reclaimed while idle", [&] { tree.setPages(201, 10); }, ProcessMonitor::kFullReadInterval, 6},
    };
    for (const auto& [name, change, seconds, mostReads] : steps) {
        SCOPED_TRACE(name);
        change();
        clock->advance(seconds);
        const auto reads = guidedTable->statReads();
        const auto expected = full.sample(CoreContext{10, 30}, 50);
        EXPECT_EQ(guided.sample(CoreContext{10, 30}, 50), expected);
        EXPECT_LE(guidedTable->statReads() - reads, mostReads);
        const ProcessOrder byMemory{ProcessOrder::Key::memory};
        EXPECT_EQ(guided.top(byMemory, 3), full.top(byMemory, 3));
    }
}

}  // namespace
}  // namespace corvelle
