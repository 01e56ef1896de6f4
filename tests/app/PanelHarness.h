#pragma once

#include "app/components/ReorderableForEach.h"
#include "app/panel/Panel.h"
#include "app/tabs/overview/OverviewTab.h"
#include "linux/LinuxMachine.h"
#include "support/Fixtures.h"
#include "support/MonitorHarness.h"
#include "support/SampleHistory.h"
#include "support/StatsBuilder.h"

#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QMimeData>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <thread>

namespace corvelle::test {

// A started monitor on fake sources (its store empty, holding ten recorded days or generated ones)
// or on this machine's, and panels built on it.
// A hot, busy moment on battery on a machine with four efficiency and eight performance cores:
// every reading set, tips of every severity, 25 processes and four app groups, one of each with a long name.
// Without `battery`, the same moment on a machine that has none.
inline SystemStats busyMoment(bool battery = true) {
    StatsBuilder built = StatsBuilder().cpu(64).cores(4, 8).memory(13ULL << 30, 16ULL << 30);
    if (battery) built.battery(45, Power::battery, 18.4);
    SystemStats stats = built;
    for (std::size_t i = 0; i < stats.eCoreUsages.size(); ++i) stats.eCoreUsages[i].usage = 10.0 + 7.0 * i;
    for (std::size_t i = 0; i < stats.pCoreUsages.size(); ++i) stats.pCoreUsages[i].usage = 5.0 + 11.0 * i;
    stats.cpuUserUsage = 45.1;
    stats.cpuSystemUsage = 18.9;
    stats.eCoreAverage = 20.5;
    stats.pCoreAverage = 71;
    stats.diskReadBytesPerSec = 1'250'000;
    stats.diskWriteBytesPerSec = 310'000;
    stats.networkInBytesPerSec = 84'000;
    stats.networkOutBytesPerSec = 12'500;
    stats.totalPowerWatts = 18.4;
    stats.cpuPowerWatts = 4.2;
    stats.gpuPowerWatts = 1.1;
    stats.systemBaselineWatts = 5.2;
    stats.eCoreTemp = 48.2;
    stats.pCoreTemp = 78;
    stats.gpuTemp = 88.1;
    stats.fanSpeeds = {3900, 3850, 1210, 980, 2450, 760};  // a desktop board's six fans
    stats.thermalLevel = ThermalLevel::heavy;
    stats.powerMeter = PowerMeter::sysfs;
    stats.processCount = 318;
    if (battery) {
        stats.batteryDesignCapacityMAh = 5000;
        stats.batteryHealthPercent = 87.4;
    }
    const char* names[] = {"gcc-backend-compiler-worker-thread-pool", "firefox", "Isolated Web Content", "Xorg",
                           "pipewire", "gnome-shell", "code", "rust-analyzer", "node", "python3", "systemd", "dockerd",
                           "containerd", "thunderbird", "evolution-data-server", "tracker-miner-fs", "pulseaudio",
                           "NetworkManager", "sshd", "bash", "kworker/u16:2", "ibus-daemon", "gvfsd", "dbus-daemon", "cupsd"};
    for (int i = 0; i < 25; ++i) {
        const double cpu = 96.0 / (1 + i * 0.6) - 0.1 * i;
        stats.topProcesses.push_back({1200 + 37 * i, names[i], cpu, (2400ULL / (i + 1) + 3) << 20, 4, cpu * 1.6});
    }
    stats.appGroups = {{"gcc", 96, 2ULL << 30, 12, 150}, {"Web Browser", 38.2, 3ULL << 30, 9, 62},
                       {"a-very-long-application-name-that-must-be-shortened", 6.1, 1ULL << 30, 1, 4}, {"Music", 2.0, 0, 2, 1}};
    // A hybrid laptop's graphics, the discrete GPU kept awake by a game.
    stats.gpus = {{.id = "0000:00:02.0", .name = "Intel Iris Xe Graphics", .driver = "i915", .loadPercent = 12,
                   .clients = {{1385, "gnome-shell", 8.0, {}}, {1237, "Web Browser", 3.5, {}}}},
                  {.id = "0000:01:00.0", .name = "NVIDIA GeForce RTX 3050 Mobile", .driver = "nvidia", .kind = GpuKind::discrete,
                   .loadPercent = 41, .powerWatts = 6.2, .temperature = 61, .memoryUsedBytes = 1ULL << 30,
                   .memoryTotalBytes = 4ULL << 30,
                   .clients = {{2210, "Steam", 37.0, 512ULL << 20}, {1237, "Web Browser", 2.0, {}}, {1385, "gnome-shell", {}, {}}}}};
    return stats;
}

// The busy desktop with its cores all of one kind and nothing else to read: no battery, sensors,
// fans or thermal state, and energy counters that only root may read without the power service.
inline SystemStats bareMoment() {
    SystemStats stats = busyMoment(false);
    stats.eCoreUsages.clear();
    stats.coreUsages.resize(stats.pCoreUsages.size());
    stats.thermalLevel.reset();
    stats.eCoreTemp = stats.pCoreTemp = stats.gpuTemp = stats.systemBaselineWatts = stats.totalPowerWatts = stats.cpuPowerWatts = stats.gpuPowerWatts = 0;
    stats.fanSpeeds.clear();
    stats.powerMeter = PowerMeter::locked;
    // Its discrete GPU sleeps; nothing has used the processor's graphics yet.
    stats.gpus[0].loadPercent.reset();
    stats.gpus[0].clients.clear();
    stats.gpus[1] = {.id = "0000:03:00.0", .name = "AMD Radeon RX 6700/6700 XT/6750 XT / 6800M/6850M XT", .driver = "amdgpu",
                     .kind = GpuKind::discrete, .state = GpuState::suspended, .powerWatts = 0.0};
    return stats;
}

struct PanelHarness {
    // `days` busy records ending today, their energy varying from day to day.
    struct Generated { int days; };

    explicit PanelHarness(Generated generated) {
        UsageStore store(h.dir.path(), h.clock, h.loop);
        auto history = busyHistory(h.clock->now(), generated.days, 12, 48);
        for (std::size_t i = 0; i < history.dailySnapshots.size(); ++i) {
            auto& day = history.dailySnapshots[i];
            const double factor = 0.5 + 0.1 * static_cast<double>((i * 7) % 11);
            day.power.totalEnergyWh *= factor;
            day.power.avgSystemWatts *= factor;
            for (auto& hour : day.hourlyFingerprints) hour.avgWatts *= factor;
            store.updateTodaySnapshot(day);
        }
        store.performSave();
        h.make().start();
    }

    // This machine's real sources, sampled twice so that its processes show their CPU use.
    struct ThisMachine {};

    explicit PanelHarness(ThisMachine) {
        h.make(makeLinuxMachineSources()).setPopoverVisible(true);
        h.monitor->poll();
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        h.monitor->poll();
    }

    explicit PanelHarness(bool recorded) {
        if (recorded) {
            for (const char* name : {"daily-summaries.json", "health-history.json"}) {
                std::filesystem::copy_file(fixture(std::string("history/ten-days/") + name), h.dir / name);
            }
        }
        h.make().start();
    }

    SystemMonitor& monitor() { return *h.monitor; }

    // A panel of 480 x 620 on the overview tab (or `tab`); settings other than the harness's when given.
    std::unique_ptr<Panel> panel(AppSettings* settings = nullptr, bool detail = false, int tab = 1) {
        Panel::Options options;
        options.isDetailWindow = detail;
        options.selectedTab = tab;
        options.pinnedWidgets = {PinnedWidget::battery, PinnedWidget::cpu};
        auto view = std::make_unique<Panel>(*h.monitor, settings ? *settings : h.settings, std::move(options));
        view->resize(480, 620);
        return view;
    }
    // The same panel on `tab`, shown.
    std::unique_ptr<Panel> shownPanel(int tab = 1, bool detail = false) {
        auto view = panel(nullptr, detail, tab);
        view->show();
        return view;
    }

    // The busy moment published, with a CPU history behind it.
    void publishBusyMoment(bool battery = true) {
        h.monitor->cpuHistory().modify([](auto& history) {
            for (int i = 0; i < 40; ++i) history.append(18 + 12 * ((i * 7) % 5) + (i % 3));
        });
        h.monitor->stats().set(busyMoment(battery));
    }

    MonitorHarness h;
};

// Sends a drag of `section` entering the list at `from`, moving to `to` and dropping there;
// false when the list refuses it.
inline bool dragAndDrop(ReorderableForEach& list, const std::string& section, QPoint from, QPoint to) {
    QMimeData mime;
    mime.setText(QString::fromStdString(section));
    QDragEnterEvent enter(from, Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&list, &enter);
    if (!enter.isAccepted()) return false;
    QDragMoveEvent move(to, Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&list, &move);
    EXPECT_TRUE(list.view(section)->graphicsEffect()) << "the dragged section is dimmed";
    QDropEvent drop(QPointF(to), Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&list, &drop);
    return true;
}

inline OverviewTab& overviewOf(const Panel& view) { return dynamic_cast<OverviewTab&>(*view.tabContent()); }

template <typename Card>
Card& cardOf(const Panel& view, OverviewSection section) {
    return dynamic_cast<Card&>(*overviewOf(view).card(section));
}

}  // namespace corvelle::test
