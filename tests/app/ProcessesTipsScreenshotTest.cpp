#include "ImageProbe.h"
#include "PanelHarness.h"
#include "Screenshots.h"
#include "app/views/components/LearnMoreView.h"
#include "app/views/tabs/TipsTab.h"
#include "linux/LinuxMachine.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace corvelle {
namespace {

// This machine's monitor, sampled twice so that its processes show their CPU use.
struct MachineMonitor {
    MachineMonitor() {
        MachineSources sources = makeLinuxMachineSources();
        sources.eventLoop = loop;
        sources.dataFolder = dir.path();
        monitor = std::make_unique<SystemMonitor>(settings, std::move(sources));
        monitor->setPopoverVisible(true);
        monitor->poll();
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        monitor->poll();
    }
    test::TempDir dir;
    test::FakeClock clock;
    std::shared_ptr<test::ManualEventLoop> loop = std::make_shared<test::ManualEventLoop>(clock);
    AppSettings settings{std::make_shared<MemoryKeyValueStore>(), nullptr};
    std::unique_ptr<SystemMonitor> monitor;
};

// A hot, busy moment on battery with tips of every severity and 25 processes, one with a long name.
SystemStats busyMoment() {
    SystemStats stats = test::StatsBuilder().battery(45, test::Power::battery, 18.4).cores(4, 8).memory(13ULL << 30, 16ULL << 30);
    stats.thermalLevel = ThermalLevel::heavy;
    stats.memoryPressure = 82;
    stats.pCoreAverage = 71;
    stats.pCoreTemp = 78;
    stats.cpuTotalUsage = 64;
    stats.totalPowerWatts = 18.4;
    stats.fanSpeeds = {3900};
    const char* names[] = {"gcc-backend-compiler-worker-thread-pool", "firefox", "Isolated Web Content", "Xorg",
                           "pipewire", "gnome-shell", "code", "rust-analyzer", "node", "python3", "systemd", "dockerd",
                           "containerd", "thunderbird", "evolution-data-server", "tracker-miner-fs", "pulseaudio",
                           "NetworkManager", "sshd", "bash", "kworker/u16:2", "ibus-daemon", "gvfsd", "dbus-daemon", "cupsd"};
    for (int i = 0; i < 25; ++i) {
        const double cpu = 96.0 / (1 + i * 0.6) - 0.1 * i;
        stats.topProcesses.push_back({1200 + 37 * i, names[i], cpu, (2400ULL / (i + 1) + 3) << 20, 4, cpu * 1.6});
    }
    stats.appGroups = {{"gcc", 96, 2ULL << 30, 12, 150}, {"firefox", 41, 3ULL << 30, 9, 70}, {"code", 12, 1ULL << 30, 6, 20}};
    return stats;
}

// The panel on `tab` beside the whole tab, saved as <name>-<variant>.png under artifacts/.
void saveTab(SystemMonitor& monitor, AppSettings& settings, int tab, const QString& name, bool dark) {
    MainPopover::Options options;
    options.selectedTab = tab;
    options.pinnedWidgets = {PinnedWidget::battery, PinnedWidget::cpu};
    MainPopover view(monitor, settings, std::move(options));
    view.resize(480, 620);
    view.show();
    if (auto* tips = dynamic_cast<TipsTab*>(view.tabContent())) tips->guide().front()->setExpanded(true);
    test::saveSheet(view, name, dark, 1500);
}

TEST(ProcessesTipsScreenshotTest, BothTabsOnThisMachineAndOnABusyMoment) {
    MachineMonitor machine;
    ASSERT_FALSE(machine.monitor->stats()->topProcesses.empty());
    test::PanelHarness busy(true);
    busy.monitor().stats().set(busyMoment());
    test::inEveryLanguageAndTheme([&](const QString& variant, bool dark) {
        saveTab(*machine.monitor, machine.settings, 0, "tips-machine-" + variant, dark);
        saveTab(*machine.monitor, machine.settings, 2, "processes-machine-" + variant, dark);
        saveTab(busy.monitor(), busy.h.settings, 0, "tips-busy-" + variant, dark);
        saveTab(busy.monitor(), busy.h.settings, 2, "processes-busy-" + variant, dark);
    });
}

}  // namespace
}  // namespace corvelle
