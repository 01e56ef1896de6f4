#pragma once

#include "alerts/ConditionAlertService.h"
#include "alerts/EnergyAlertService.h"
#include "history/UsageCollector.h"
#include "history/UsageStore.h"
#include "localization/Language.h"
#include "model/BatteryHealthPrediction.h"
#include "model/HabitScore.h"
#include "model/ProfileClassification.h"
#include "model/SystemStats.h"
#include "monitor/TickReadings.h"
#include "monitor/TickSettings.h"
#include "outbound/MetricsPushService.h"
#include "outbound/TelemetryService.h"
#include "platform/MachineSources.h"
#include "present/BatteryIcon.h"
#include "present/MenuBarTitle.h"
#include "sampling/BatteryMonitor.h"
#include "sampling/CPUMonitor.h"
#include "sampling/DiskMonitor.h"
#include "sampling/GpuMonitor.h"
#include "sampling/HistoryBuffer.h"
#include "sampling/MemoryMonitor.h"
#include "sampling/NetworkMonitor.h"
#include "sampling/PowerMonitor.h"
#include "sampling/ProcessMonitor.h"
#include "sampling/SMCService.h"
#include "sampling/TemperatureMonitor.h"
#include "sampling/ThermalMonitor.h"
#include "sampling/WorkerPool.h"
#include "settings/AppSettings.h"
#include "util/Signal.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace corvelle {

// Owns every reader, runs them on a repeating timer, merges their results into one SystemStats
// snapshot per tick and publishes it, and composes the status-item title and icon.
// Main thread only; inside a tick the readers run on worker threads and the tick waits.
class SystemMonitor {
public:
    using MenuBarHandler = std::function<void(const BatteryIcon&, const MenuBarTitle&)>;

    // Tick telemetry goes to `telemetry`, the metrics to `metricsPush`; none sends nothing.
    SystemMonitor(AppSettings& appSettings, MachineSources sources,
                  std::shared_ptr<TelemetryService> telemetry = nullptr,
                  std::unique_ptr<MetricsPushService> metricsPush = nullptr);
    ~SystemMonitor();
    SystemMonitor(const SystemMonitor&) = delete;
    SystemMonitor& operator=(const SystemMonitor&) = delete;

    // Samples once, then every pollingInterval seconds; restarts the timer when that setting changes.
    void start();
    // Stops sampling and flushes what must persist.
    void stop();
    void poll();

    const Published<SystemStats>& stats() const { return stats_; }
    Published<SystemStats>& stats() { return stats_; }
    const Published<HistoryBuffer<double>>& cpuHistory() const { return cpuHistory_; }
    Published<HistoryBuffer<double>>& cpuHistory() { return cpuHistory_; }
    const Published<HistoryBuffer<double>>& powerHistory() const { return powerHistory_; }
    Published<HistoryBuffer<double>>& powerHistory() { return powerHistory_; }

    // Emitted at the end of every tick with its snapshot; the thermal watcher's changes between
    // ticks, which also publish a snapshot, do not emit it.
    Signal<const SystemStats&> tickCompleted;

    // Called with (icon, title) whenever the title text or the icon key changed.
    void setOnMenuBarUpdate(MenuBarHandler handler) { onMenuBarUpdate_ = std::move(handler); }
    bool isPopoverVisible() const { return isPopoverVisible_; }
    // Read at the start of each tick: visible mode samples everything, hidden mode skips
    // memory, disk and network.
    void setPopoverVisible(bool visible) { isPopoverVisible_ = visible; }
    // Whether the process list is on screen (its tab open in a visible panel): only then are its
    // rows read every tick, idle or not.
    void setProcessListShown(bool shown) { isProcessListShown_ = shown; }

    double currentInterval() const { return currentInterval_; }
    // A period of its own (a --watch interval) in place of the polling interval setting; set
    // before start().
    void setFixedInterval(double seconds) { fixedInterval_ = seconds; }

    // The order topProcesses follows (the first maxProcesses processes in it) while the process
    // list is on screen; the default, CPU, otherwise. While the panel is visible a change
    // re-cuts the latest sample and publishes it at once.
    void setProcessOrder(const ProcessOrder& order);

    // Analysis results, refreshed at start and at every day change; absent until there is enough data.
    const Published<std::optional<ProfileClassification>>& usageProfile() const { return usageProfile_; }
    Published<std::optional<ProfileClassification>>& usageProfile() { return usageProfile_; }
    const Published<std::optional<BatteryHealthPrediction>>& healthPrediction() const { return healthPrediction_; }
    Published<std::optional<BatteryHealthPrediction>>& healthPrediction() { return healthPrediction_; }
    const Published<std::optional<HabitScore>>& habitScore() const { return habitScore_; }
    Published<std::optional<HabitScore>>& habitScore() { return habitScore_; }

    // The daily records, read by the history views.
    const UsageStore& usageStore() const { return usageStore_; }

private:
    // The tick: sample the machine, merge the readings into the snapshot, react to it.
    TickReadings sample(bool visible, std::int64_t maxProcesses);
    void sampleVisible(TickReadings& readings, std::int64_t maxProcesses);
    void sampleHidden(TickReadings& readings, std::int64_t maxProcesses);
    void sampleProcesses(TickReadings& readings, std::int64_t maxProcesses, bool visible);
    void react(const TickReadings& readings, const TickSettings& settings, bool visible, SystemStats next);
    void updateEnergyAlerts(const TickReadings& readings, bool visible, bool alertsOn, SystemStats& next);
    void updateStatusItem(const SystemStats& stats, const StatusItemComposer::TitleOptions& options);
    void sendTelemetry(bool visible, const SystemStats& stats, double pollingInterval);
    void reclassify();
    void createUsageCollector();
    void startThermalWatcher();
    void startTimer(double interval);
    double wantedInterval() const { return fixedInterval_.value_or(appSettings_.pollingInterval()); }
    void cancelTimer();
    void settingsChanged();

    AppSettings& appSettings_;
    std::shared_ptr<Clock> clock_;
    std::shared_ptr<EventLoop> eventLoop_;
    std::shared_ptr<TelemetryService> telemetry_;
    std::unique_ptr<MetricsPushService> metricsPush_;

    Published<SystemStats> stats_;
    Published<HistoryBuffer<double>> cpuHistory_{HistoryBuffer<double>(60)};
    Published<HistoryBuffer<double>> powerHistory_{HistoryBuffer<double>(60)};
    MenuBarHandler onMenuBarUpdate_;
    bool isPopoverVisible_ = false;
    bool isProcessListShown_ = false;
    ProcessOrder processOrder_;
    std::optional<Language> processLanguage_;  // the language the process names were last set in

    UsageStore usageStore_;
    // Created at the first tick.
    std::unique_ptr<UsageCollector> usageCollector_;
    Published<std::optional<ProfileClassification>> usageProfile_;
    Published<std::optional<BatteryHealthPrediction>> healthPrediction_;
    Published<std::optional<HabitScore>> habitScore_;

    CPUMonitor cpuMonitor_;
    ProcessMonitor processMonitor_;
    ThermalMonitor thermalMonitor_;
    SMCService smcService_;
    PowerMonitor powerMonitor_;
    MemoryMonitor memoryMonitor_;
    DiskMonitor diskMonitor_;
    NetworkMonitor networkMonitor_;
    BatteryMonitor batteryMonitor_;
    EnergyAlertService energyAlertService_;
    ConditionAlertService conditionAlerts_;
    TemperatureMonitor temperatureMonitor_;
    GpuMonitor gpuMonitor_;
    WorkerPool workers_;

    std::optional<TimerId> timer_;
    std::string lastMenuBarText_;
    std::string lastMenuBarIcon_;
    Subscription settingsSubscription_;
    double currentInterval_ = 0;
    std::optional<double> fixedInterval_;
    bool didSendLaunchTelemetry_ = false;  // once per run
    // Callbacks that outlive a call hold this weakly and do nothing once the monitor is gone.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace corvelle
