#include "support/MonitorHarness.h"
#include "support/ScopedLanguage.h"

#include <gtest/gtest.h>

namespace corvelle {
namespace {

using test::MonitorHarness;

std::vector<CpuTicks> busyTicks(std::uint64_t busy, std::uint64_t idle) { return {CpuTicks{0, busy, 0, idle, 0}}; }

TEST(SystemMonitor, HiddenTicksSkipMemoryDiskAndNetworkAndKeepTheirLastFigures) {
    MonitorHarness h;
    auto& monitor = h.make();
    h.vm->script.push(VmStats{1024, 1000, 10, 0, 0, 0, 0});
    h.blocks->script.push(BlockTotals{0, 0});

    monitor.setPopoverVisible(true);
    monitor.poll();
    h.blocks->script.push(BlockTotals{4096, 0});
    h.clock->advance(2);
    monitor.poll();
    EXPECT_EQ(monitor.stats()->diskReadBytesPerSec, 2048u);
    const auto visibleMemory = monitor.stats()->memoryUsed;
    EXPECT_GT(visibleMemory, 0u);

    monitor.setPopoverVisible(false);
    h.vm->script.push(VmStats{1024, 5, 10, 0, 0, 0, 0});
    h.blocks->script.push(BlockTotals{4096 + 40960, 0});
    for (int i = 0; i < 10; ++i) {
        h.clock->advance(2);
        monitor.poll();
    }
    EXPECT_EQ(std::make_tuple(h.vm->script.reads.load(), h.blocks->script.reads.load(), h.net->script.reads.load(),
                              h.cpu->script.reads.load(), monitor.stats()->memoryUsed, monitor.stats()->diskReadBytesPerSec),
              std::make_tuple(2, 2, 2, 12, visibleMemory, std::uint64_t{2048}));

    // The first visible tick measures the disk rate over the whole hidden stretch.
    monitor.setPopoverVisible(true);
    h.clock->advance(2);
    monitor.poll();
    EXPECT_EQ(monitor.stats()->diskReadBytesPerSec, 40960u / 22);
    EXPECT_NE(monitor.stats()->memoryUsed, visibleMemory);
}

TEST(SystemMonitor, AFailedCpuSampleKeepsTheFiguresAndSkipsTheHistory) {
    MonitorHarness h;
    auto& monitor = h.make();
    for (auto ticks : {std::optional(busyTicks(0, 0)), std::optional(busyTicks(25, 75)), std::optional<std::vector<CpuTicks>>()}) {
        h.cpu->script.push(ticks);
        monitor.poll();
    }
    EXPECT_EQ(monitor.stats()->cpuTotalUsage, 25.0);
    EXPECT_EQ(monitor.cpuHistory()->elements(), (std::vector<double>{0, 25}));
}

TEST(SystemMonitor, TheTimerRestartsOnlyWhenThePollingIntervalChanges) {
    test::ScopedLanguage english("en");
    MonitorHarness h;
    auto& monitor = h.make();
    std::vector<std::string> titles;
    monitor.setOnMenuBarUpdate([&](const auto& icon, const MenuBarTitle& title) {
        EXPECT_EQ(icon.symbolName, "desktopcomputer");  // no battery: a monitor
        titles.push_back(title.text);
    });
    h.cpu->script.push(busyTicks(0, 0));
    h.cpu->script.push(busyTicks(50, 50));  // then repeated: no movement, 0 % again
    monitor.start();
    EXPECT_EQ(h.cpu->script.reads, 1);  // start() samples once at once
    EXPECT_EQ(h.loop->repeatingIntervals(), std::vector<double>{2.0});

    h.loop->advance(10);
    EXPECT_EQ(h.cpu->script.reads, 6);

    h.settings.setMenuBarShowCPU(false);
    h.settings.setPollingInterval(2.0);
    h.loop->runPosted();
    EXPECT_EQ(h.loop->repeatingIntervals(), std::vector<double>{2.0});
    // Only a changed text is passed on; a menu bar choice shows before the next tick.
    EXPECT_EQ(titles, (std::vector<std::string>{" CPU 0.0%", " CPU 50.0%", " CPU 0.0%", ""}));

    h.settings.setPollingInterval(5.0);
    h.loop->runPosted();
    EXPECT_EQ(std::make_tuple(h.loop->repeatingIntervals(), monitor.currentInterval()),
              std::make_tuple(std::vector<double>{5.0}, 5.0));
    h.loop->advance(10);
    EXPECT_EQ(h.cpu->script.reads, 8);

    monitor.stop();
    EXPECT_TRUE(h.loop->repeatingIntervals().empty());
    h.loop->advance(60);
    EXPECT_EQ(h.cpu->script.reads, 8);
}

TEST(SystemMonitor, CallbacksDoNothingOnceTheMonitorIsGone) {
    MonitorHarness h;
    h.make().start();
    h.settings.setPollingInterval(1.0);  // queues a settings task
    h.monitor.reset();
    // The queued settings task still runs, finds the monitor gone and does nothing (ASan
    // would report a use after free); no timer of the monitor is left to fire.
    EXPECT_EQ(h.loop->runPosted(), 1);
    EXPECT_EQ(h.loop->activeTimers(), 0u);
    h.settings.setPollingInterval(3.0);  // the subscription went with the monitor
    EXPECT_EQ(h.loop->runPosted(), 0);
}

}  // namespace
}  // namespace corvelle
