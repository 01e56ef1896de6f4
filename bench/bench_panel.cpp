// Cost of the panel's views per tick on the overview, processes and tips tabs and the history tab's All range,
// offscreen: refresh and repaint while
// the panel is visible, and what a hidden panel does (nothing). Also the memory in use once every
// tab and every overview section has been shown.
#include "app/components/SegmentedPicker.h"
#include "app/panel/Panel.h"
#include "app/tabs/history/EnergyCard.h"
#include "app/tabs/history/HistoryTab.h"
#include "linux/LinuxMachine.h"
#include "linux/SystemClock.h"
#include "localization/Language.h"
#include "monitor/SystemMonitor.h"
#include "settings/MemoryKeyValueStore.h"

#include "IdleLoop.h"
#include "support/SampleHistory.h"

#include <QApplication>
#include <QPushButton>

#include <benchmark/benchmark.h>

#include <array>
#include <clocale>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace corvelle {
namespace {

// Counts the paint events, layout requests and repaint requests of every widget.
class ViewWork : public QObject {
public:
    int events = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        events += event->type() == QEvent::Paint || event->type() == QEvent::LayoutRequest ||
                  event->type() == QEvent::UpdateRequest;
        return false;
    }
};

QApplication& application() {
    static int argc = 1;
    static char name[] = "bench_panel";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        auto* created = new QApplication(argc, argv);
        std::setlocale(LC_NUMERIC, "C");
        AppSettings::installShared(std::make_shared<MemoryKeyValueStore>(), nullptr);
        installLanguageLookup([] { return std::vector<std::string>{}; });
        return created;
    }();
    return *app;
}

// 25 processes whose figures, and so their CPU order, differ between the two snapshots.
std::vector<ProcStats> busiestProcesses(std::size_t snapshot) {
    std::vector<ProcStats> processes;
    for (int i = 0; i < 25; ++i) {
        const double cpu = (snapshot == 0 ? 60.0 - 2.0 * i : 10.0 + 1.5 * ((i * 7) % 25)) + 0.1 * static_cast<double>(snapshot);
        processes.push_back({1000 + i, "process-" + std::to_string(i), cpu,
                             (50ULL + 13ULL * static_cast<std::uint64_t>(i) + snapshot) << 20, 4, cpu * 1.4});
    }
    return processes;
}

// This machine's monitor over a store holding `days` busy days, and the panel on the overview tab.
struct PanelRig {
    explicit PanelRig(int days = 10) {
        application();
        const double now = SystemClock().now();
        UsageStore store(folder, std::make_shared<SystemClock>(), std::make_shared<IdleLoop>());
        for (const auto& day : test::busyHistory(now, days).dailySnapshots) {
            const auto index = static_cast<std::int64_t>(store.healthEntries().size());
            store.updateTodaySnapshot(day);
            store.addHealthEntry({day.date, 93.4 - 0.05 * static_cast<double>(index), 200 + index, 4300, 4600, 35, 9});
        }
        store.performSave();
        MachineSources sources = makeLinuxMachineSources();
        sources.eventLoop = std::make_shared<IdleLoop>();
        sources.dataFolder = folder;
        monitor = std::make_unique<SystemMonitor>(settings, std::move(sources));
        monitor->start();
        Panel::Options options;
        options.selectedTab = 1;
        options.pinnedWidgets = {PinnedWidget::battery, PinnedWidget::cpu, PinnedWidget::memory};
        view = std::make_unique<Panel>(*monitor, settings, std::move(options));
        view->resize(480, 620);
        for (std::size_t i = 0; i < snapshots.size(); ++i) {
            snapshots[i] = monitor->stats().get();
            snapshots[i].cpuTotalUsage = 20.0 + 15.0 * static_cast<double>(i);
            snapshots[i].totalPowerWatts = 6.0 + static_cast<double>(i);
            snapshots[i].topProcesses = busiestProcesses(i);
        }
        QCoreApplication::processEvents();
    }
    ~PanelRig() {
        view.reset();
        monitor.reset();
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }

    // One tick's publications, with figures that differ from the last tick's.
    void publish(int tick) {
        const SystemStats& stats = snapshots[static_cast<std::size_t>(tick % 2)];
        monitor->cpuHistory().modify([&](auto& history) { history.append(stats.cpuTotalUsage); });
        monitor->stats().set(stats);
    }

    std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                   ("corvelle-bench-" + std::to_string(std::random_device{}()));
    AppSettings settings{std::make_shared<MemoryKeyValueStore>(), nullptr};
    std::unique_ptr<SystemMonitor> monitor;
    std::unique_ptr<Panel> view;
    std::array<SystemStats, 2> snapshots;
};

// Ticks of a shown panel, with the event loop's share of each: the updates the refresh asked for
// are laid out and painted.
void measureVisibleTicks(benchmark::State& state, PanelRig& panel) {
    QCoreApplication::processEvents();
    ViewWork work;
    application().installEventFilter(&work);
    int tick = 0;
    for (auto _ : state) {
        panel.publish(++tick);
        QCoreApplication::processEvents();
    }
    application().removeEventFilter(&work);
    state.counters["view_events"] = benchmark::Counter(work.events, benchmark::Counter::kAvgIterations);
}

void tickViewsVisible(benchmark::State& state, int tab) {
    PanelRig panel;
    panel.view->setSelectedTab(tab);
    panel.view->show();
    measureVisibleTicks(state, panel);
}

void BM_TickViewsVisibleOverview(benchmark::State& state) { tickViewsVisible(state, 1); }
// 25 rows, reordered every tick.
void BM_TickViewsVisibleProcesses(benchmark::State& state) { tickViewsVisible(state, 2); }
// The tips and facts engines included.
void BM_TickViewsVisibleTips(benchmark::State& state) { tickViewsVisible(state, 0); }

void BM_TickViewsHiddenPanel(benchmark::State& state) {
    PanelRig panel;
    ViewWork work;
    application().installEventFilter(&work);
    int tick = 0;
    for (auto _ : state) panel.publish(++tick);
    QCoreApplication::processEvents();
    application().removeEventFilter(&work);
    state.counters["view_events"] = work.events;
}

// The history tab in view on its All range over 90 stored days: each tick reads the store once
// and redraws the 90 bars only when they changed.
void BM_TickViewsVisibleHistoryAllRange(benchmark::State& state) {
    PanelRig panel(90);
    panel.view->show();
    panel.view->setSelectedTab(4);
    dynamic_cast<HistoryTab&>(*panel.view->tabContent()).energy().picker().segments()[3]->click();
    measureVisibleTicks(state, panel);
}

long residentKilobytes() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
    }
    return 0;
}

void BM_RssAfterEverySection(benchmark::State& state) {
    for (auto _ : state) {
        PanelRig panel;
        panel.view->show();
        for (int tag = 0; tag < Panel::tabCount; ++tag) {
            panel.view->setSelectedTab(tag);
            QCoreApplication::processEvents();
        }
        panel.view->setSelectedTab(1);
        panel.publish(1);
        // Every section of the overview painted, not only those in the panel's view.
        benchmark::DoNotOptimize(panel.view->tabContent()->grab());
        state.counters["rss_MB"] = static_cast<double>(residentKilobytes()) / 1024.0;
    }
}

}  // namespace
}  // namespace corvelle

// CPU time on the main thread is what the views cost per tick.
BENCHMARK(corvelle::BM_TickViewsVisibleOverview)->Unit(benchmark::kMicrosecond);
BENCHMARK(corvelle::BM_TickViewsVisibleProcesses)->Unit(benchmark::kMicrosecond);
BENCHMARK(corvelle::BM_TickViewsVisibleTips)->Unit(benchmark::kMicrosecond);
BENCHMARK(corvelle::BM_TickViewsVisibleHistoryAllRange)->Unit(benchmark::kMicrosecond);
BENCHMARK(corvelle::BM_TickViewsHiddenPanel)->Unit(benchmark::kMicrosecond);
BENCHMARK(corvelle::BM_RssAfterEverySection)->Iterations(1)->Unit(benchmark::kMillisecond);
