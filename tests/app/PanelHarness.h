#pragma once

#include "app/views/MainPopover.h"
#include "app/views/components/ReorderableForEach.h"
#include "app/views/tabs/OverviewTab.h"
#include "support/Fixtures.h"
#include "support/MonitorHarness.h"
#include "support/SampleHistory.h"
#include "support/StatsBuilder.h"

#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QMimeData>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

namespace corvelle::test {

// A started monitor on fake sources, its store empty, holding ten recorded days or generated
// ones, and panels built on it.
struct PanelHarness {
    // `days` busy records ending today, their energy varying from day to day.
    struct Generated {
        int days;
    };

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
    std::unique_ptr<MainPopover> panel(AppSettings* settings = nullptr, bool detail = false, int tab = 1) {
        MainPopover::Options options;
        options.isDetailWindow = detail;
        options.selectedTab = tab;
        options.pinnedWidgets = {PinnedWidget::battery, PinnedWidget::cpu};
        auto view = std::make_unique<MainPopover>(*h.monitor, settings ? *settings : h.settings, std::move(options));
        view->resize(480, 620);
        return view;
    }

    // A busy moment on a machine with four efficiency and eight performance cores.
    void publishBusyMoment() {
        SystemStats stats = StatsBuilder().cpu(23.4).cores(4, 8).battery(62, Power::battery, 9.1).memory(10ULL << 30, 16ULL << 30);
        for (std::size_t i = 0; i < stats.eCoreUsages.size(); ++i) stats.eCoreUsages[i].usage = 10.0 + 7.0 * i;
        for (std::size_t i = 0; i < stats.pCoreUsages.size(); ++i) stats.pCoreUsages[i].usage = 5.0 + 11.0 * i;
        stats.cpuUserUsage = 15.1;
        stats.cpuSystemUsage = 8.3;
        stats.eCoreAverage = 20.5;
        stats.pCoreAverage = 43.5;
        stats.diskReadBytesPerSec = 1'250'000;
        stats.diskWriteBytesPerSec = 310'000;
        stats.networkInBytesPerSec = 84'000;
        stats.networkOutBytesPerSec = 12'500;
        stats.totalPowerWatts = 9.1;
        stats.eCoreTemp = 48.2;
        stats.pCoreTemp = 55.6;
        stats.fanSpeeds = {2400, 2350};
        stats.thermalLevel = ThermalLevel::moderate;
        h.monitor->cpuHistory().modify([](auto& history) {
            for (int i = 0; i < 40; ++i) history.append(18 + 12 * ((i * 7) % 5) + (i % 3));
        });
        h.monitor->stats().set(stats);
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

inline OverviewTab& overviewOf(const MainPopover& view) { return dynamic_cast<OverviewTab&>(*view.tabContent()); }

template <typename Card>
Card& cardOf(const MainPopover& view, OverviewSection section) {
    return dynamic_cast<Card&>(*overviewOf(view).card(section));
}

}  // namespace corvelle::test
