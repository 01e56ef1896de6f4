#include "monitor/SystemMonitor.h"

#include "analysis/BatteryHealthPredictor.h"
#include "analysis/UsageProfileEngine.h"
#include "localization/LProcesses.h"
#include "localization/Language.h"
#include "monitor/MergeReadings.h"
#include "present/StatusItemComposer.h"

#include <algorithm>

namespace corvelle {
namespace {

std::optional<ConditionAlertService::Battery> alertBattery(const std::optional<BatteryMonitor::Snapshot>& battery) {
    if (!battery) return std::nullopt;
    return ConditionAlertService::Battery{battery->percentage, !battery->isPluggedIn && !battery->isCharging,
                                          battery->chargeLevel};
}

}  // namespace

SystemMonitor::SystemMonitor(AppSettings& appSettings, MachineSources sources,
                             std::shared_ptr<TelemetryService> telemetry,
                             std::unique_ptr<MetricsPushService> metricsPush)
    : appSettings_(appSettings),
      clock_(std::move(sources.clock)),
      eventLoop_(std::move(sources.eventLoop)),
      telemetry_(std::move(telemetry)),
      metricsPush_(std::move(metricsPush)),
      usageStore_(sources.dataFolder, clock_, eventLoop_, sources.checkpointInterval),
      cpuMonitor_(std::move(sources.cpuTicks)),
      processMonitor_(std::move(sources.processTable), clock_, std::move(sources.desktopEntries),
                      std::move(sources.sortKeys)),
      thermalMonitor_(std::move(sources.thermal), eventLoop_),
      smcService_(std::move(sources.smcTransport)),
      powerMonitor_(IOReportService(std::move(sources.energyReport), clock_)),
      memoryMonitor_(std::move(sources.vmStats)),
      diskMonitor_(std::move(sources.blockStats), clock_),
      networkMonitor_(std::move(sources.netStats), clock_),
      batteryMonitor_(std::move(sources.batteryRegistry), clock_),
      energyAlertService_(clock_, eventLoop_, sources.dataFolder, sources.notifier, sources.checkpointInterval / 5),
      conditionAlerts_(appSettings_, std::move(sources.notifier)),
      temperatureMonitor_(smcService_),
      gpuMonitor_(std::move(sources.gpus)) {}

SystemMonitor::~SystemMonitor() { cancelTimer(); }

void SystemMonitor::start() {
    usageStore_.load();
    // The classification of an earlier run stays in force until there are enough records for a new one.
    usageProfile_.set(usageStore_.loadProfile());
    reclassify();
    startThermalWatcher();
    currentInterval_ = wantedInterval();
    poll();
    startTimer(currentInterval_);
    std::weak_ptr<bool> alive = alive_;
    settingsSubscription_ = appSettings_.changed.subscribe([this, alive] {
        // Delivered on the main loop, after the setter has stored the new value.
        eventLoop_->post([this, alive] {
            if (alive.lock()) settingsChanged();
        });
    });
}

void SystemMonitor::stop() {
    cancelTimer();
    thermalMonitor_.stop();
    energyAlertService_.saveToDisk();
    if (usageStore_.isDirty()) usageStore_.performSave();
}

void SystemMonitor::reclassify() {
    const auto recent = usageStore_.recentSnapshots(7);
    if (recent.size() >= 3) {
        usageProfile_.set(UsageProfileEngine::classify(recent, clock_->now()));
        usageStore_.saveProfile(*usageProfile_.get());
    }
    healthPrediction_.set(BatteryHealthPredictor::predict(usageStore_.healthEntries()));
    habitScore_.set(BatteryHealthPredictor::scoreHabits(recent));
}

// Each pressure level the watcher reports replaces the snapshot's level until the next tick.
void SystemMonitor::startThermalWatcher() {
    std::weak_ptr<bool> alive = alive_;
    thermalMonitor_.start([this, alive](ThermalLevel level) {
        eventLoop_->post([this, alive, level] {
            if (alive.lock()) stats_.modify([level](SystemStats& stats) { stats.thermalLevel = level; });
        });
    });
}

void SystemMonitor::settingsChanged() {
    // A menu-bar choice shows at once rather than at the next tick.
    updateStatusItem(stats_.get(), StatusItemComposer::titleOptions(appSettings_));
    const double interval = wantedInterval();
    if (interval == currentInterval_) return;
    currentInterval_ = interval;
    cancelTimer();
    startTimer(interval);
}

void SystemMonitor::startTimer(double interval) {
    std::weak_ptr<bool> alive = alive_;
    timer_ = eventLoop_->startRepeating(interval, [this, alive] {
        // The tick runs as a task of its own on the main loop, not inside the timer callback.
        eventLoop_->post([this, alive] {
            if (alive.lock()) poll();
        });
    });
}

void SystemMonitor::cancelTimer() {
    if (timer_) eventLoop_->cancel(*timer_);
    timer_.reset();
}

// Readers that only the panel shows (memory, disk, network) are skipped while it is hidden.
TickReadings SystemMonitor::sample(bool visible, std::int64_t maxProcesses) {
    // The kernel row's name is looked up again only when the language changed.
    if (const auto language = currentLanguage(); language != processLanguage_) {
        processLanguage_ = language;
        processMonitor_.setLanguage(toRaw(language), L::linuxKernel());
    }
    TickReadings readings;
    if (visible) {
        sampleVisible(readings, maxProcesses);
    } else {
        sampleHidden(readings, maxProcesses);
    }
    // The rows on screen get fresh memory figures at every tick, idle or not.
    processMonitor_.setShown(visible && isProcessListShown_ ? readings.listed : std::vector<ProcStats>());
    readings.thermalLevel = thermalMonitor_.systemLevel();
    readings.powerMeter = powerMonitor_.meter();
    readings.latestPower = powerMonitor_.latest();
    if (const auto& battery = readings.battery) {
        const double cpuUsage = readings.cpu ? readings.cpu->cpuTotalUsage : stats_->cpuTotalUsage;
        readings.batteryTimeRemaining = batteryMonitor_.estimateTimeRemaining(*battery, cpuUsage, currentInterval_);
    }
    return readings;
}

void SystemMonitor::sampleVisible(TickReadings& readings, std::int64_t maxProcesses) {
    workers_.run(2, [&](int i) {
        if (i == 0) readings.cpu = cpuMonitor_.sample();
        if (i == 1) readings.battery = batteryMonitor_.sample();
    });
    workers_.run(6, [&](int i) {
        switch (i) {
            case 0: sampleProcesses(readings, maxProcesses, true); break;
            case 1: readings.power = powerMonitor_.sample(); break;
            case 2: readings.temperatures = temperatureMonitor_.sample(); break;
            case 3: readings.memory = memoryMonitor_.sample(); break;
            case 4: readings.disk = diskMonitor_.sample(); break;
            case 5: readings.network = networkMonitor_.sample(); break;
        }
    });
}

void SystemMonitor::sampleHidden(TickReadings& readings, std::int64_t maxProcesses) {
    workers_.run(4, [&](int i) {
        switch (i) {
            case 0: readings.cpu = cpuMonitor_.sample(); break;
            case 1: readings.temperatures = temperatureMonitor_.sample(); break;
            case 2: readings.battery = batteryMonitor_.sample(); break;
            case 3: readings.power = powerMonitor_.sample(); break;
        }
    });
    sampleProcesses(readings, maxProcesses, false);
}

// Energy impact is weighted by this tick's core averages, so processes come after the CPU; the
// GPUs' clients are found among the processes just listed.
void SystemMonitor::sampleProcesses(TickReadings& readings, std::int64_t maxProcesses, bool visible) {
    std::optional<CoreContext> context;
    if (readings.cpu) context = CoreContext{readings.cpu->eCoreAverage, readings.cpu->pCoreAverage};
    readings.processes = processMonitor_.sample(context, maxProcesses);
    readings.processCount = processMonitor_.lastCount();
    // The list on screen may follow another column: its top is cut from the same sample.
    readings.listed =
        processOrder_ == ProcessOrder{} ? readings.processes : processMonitor_.top(processOrder_, maxProcesses);
    readings.gpus = gpuMonitor_.sample(visible, processMonitor_);
}

void SystemMonitor::setProcessOrder(const ProcessOrder& order) {
    if (order == processOrder_) return;
    processOrder_ = order;
    if (!isPopoverVisible_ || !processMonitor_.hasSample()) return;
    auto listed = processMonitor_.top(order, appSettings_.maxProcesses());
    processMonitor_.setShown(isProcessListShown_ ? listed : std::vector<ProcStats>());
    stats_.modify([&](SystemStats& stats) { stats.topProcesses = std::move(listed); });
}

void SystemMonitor::poll() {
    const bool visible = isPopoverVisible_;
    const auto settings = TickSettings::read(appSettings_);
    // The list holds as many processes as the setting names, the picker's 25 included.
    const auto readings = sample(visible, settings.maxProcesses);
    react(readings, settings, visible, mergeReadings(stats_.get(), readings, visible));
}

void SystemMonitor::react(const TickReadings& readings, const TickSettings& settings, bool visible, SystemStats next) {
    if (readings.cpu) cpuHistory_.modify([&](auto& history) { history.append(readings.cpu->cpuTotalUsage); });
    if (readings.power) powerHistory_.modify([&](auto& history) { history.append(next.totalPowerWatts); });
    updateEnergyAlerts(readings, visible, settings.alertsEnergy, next);
    conditionAlerts_.check(next.thermalLevel.value_or(ThermalLevel::nominal), alertBattery(readings.battery));
    stats_.set(next);
    updateStatusItem(next, settings.titleOptions);
    if (!usageCollector_) createUsageCollector();
    usageCollector_->record(next, currentInterval_);
    sendTelemetry(visible, next, settings.pollingInterval);
    // The service composes and sends only when a push is due.
    if (metricsPush_) metricsPush_->tick({next, healthPrediction_.get(), habitScore_.get(), usageProfile_.get()});
    tickCompleted.emit(next);
}

// Runs before the snapshot is published: stats_ still holds the previous tick's, whose power
// state stands in when this tick has no battery reading.
void SystemMonitor::updateEnergyAlerts(const TickReadings& readings, bool visible, bool alertsOn, SystemStats& next) {
    const auto& processes = readings.processes;
    const std::optional<bool> freshPluggedIn =
        readings.battery ? std::optional(readings.battery->isPluggedIn) : std::nullopt;
    if (visible) {
        // A machine without a battery runs on external power.
        const bool onExternalPower =
            freshPluggedIn.value_or(stats_->batteryIsPluggedIn || !stats_->batteryIsPresent);
        if (!processes.empty() && !onExternalPower) {
            const auto alert = energyAlertService_.check(processes);
            if (alert && alertsOn) energyAlertService_.send(*alert);
        }
    } else {
        // Hidden ticks keep learning on any power, but only alert on battery.
        const auto alert = energyAlertService_.check(processes);
        const bool onBattery = freshPluggedIn.has_value() && !*freshPluggedIn;
        if (alert && onBattery && !processes.empty() && alertsOn) energyAlertService_.send(*alert);
    }
    energyAlertService_.updateSystemWatts(next.batteryWatts);
    next.systemBaselineWatts = energyAlertService_.systemWattsEMA().value_or(0);
    if (!visible || !processes.empty()) next.processComparisons = energyAlertService_.processComparisons(processes, 5);
}

// The service decides whether a heartbeat is due and whether telemetry is on at all; the
// snapshot is composed once, and only for a tick that sends something.
void SystemMonitor::sendTelemetry(bool visible, const SystemStats& stats, double pollingInterval) {
    const bool launch = !didSendLaunchTelemetry_;
    didSendLaunchTelemetry_ = true;
    if (!telemetry_) return;
    const bool heartbeat = visible && telemetry_->heartbeatDue();
    if (!heartbeat && !launch) return;
    const auto snapshot = telemetry_->snapshot(stats, pollingInterval);
    if (heartbeat) telemetry_->sendHeartbeatIfNeeded(snapshot);
    if (launch) telemetry_->sendLaunch(snapshot);
}

void SystemMonitor::createUsageCollector() {
    usageCollector_ = std::make_unique<UsageCollector>(usageStore_);
    std::weak_ptr<bool> alive = alive_;
    usageCollector_->onDayRollover = [this, alive] {
        if (!alive.lock()) return;
        reclassify();
        // The new daily results go out with this tick.
        if (metricsPush_) metricsPush_->pushAtNextTick();
    };
}

void SystemMonitor::updateStatusItem(const SystemStats& stats, const StatusItemComposer::TitleOptions& options) {
    const auto title = StatusItemComposer::title(stats, options);
    const auto icon = StatusItemComposer::batteryIcon(stats);
    if (title.text == lastMenuBarText_ && icon.key() == lastMenuBarIcon_) return;
    lastMenuBarText_ = title.text;
    lastMenuBarIcon_ = icon.key();
    if (onMenuBarUpdate_) onMenuBarUpdate_(icon, title);
}

}  // namespace corvelle
