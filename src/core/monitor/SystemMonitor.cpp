#include "monitor/SystemMonitor.h"

#include "analysis/BatteryHealthPredictor.h"
#include "analysis/UsageProfileEngine.h"
#include "localization/LProcesses.h"
#include "localization/Language.h"
#include "present/StatusItemComposer.h"
#include "sampling/AppGroups.h"

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
      temperatureMonitor_(smcService_) {}

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
    updateStatusItem(stats_.get());
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

void SystemMonitor::sampleVisible(Readings& readings, std::int64_t maxProcesses) {
    workers_.run(2, [&](int i) {
        if (i == 0) readings.cpu = cpuMonitor_.sample();
        if (i == 1) readings.battery = batteryMonitor_.sample();
    });
    workers_.run(6, [&](int i) {
        switch (i) {
            case 0: sampleProcesses(readings, maxProcesses); break;
            case 1: readings.power = powerMonitor_.sample(); break;
            case 2: readings.temperatures = temperatureMonitor_.sample(); break;
            case 3: readings.memory = memoryMonitor_.sample(); break;
            case 4: readings.disk = diskMonitor_.sample(); break;
            case 5: readings.network = networkMonitor_.sample(); break;
        }
    });
}

void SystemMonitor::sampleHidden(Readings& readings, std::int64_t maxProcesses) {
    workers_.run(4, [&](int i) {
        switch (i) {
            case 0: readings.cpu = cpuMonitor_.sample(); break;
            case 1: readings.temperatures = temperatureMonitor_.sample(); break;
            case 2: readings.battery = batteryMonitor_.sample(); break;
            case 3: readings.power = powerMonitor_.sample(); break;
        }
    });
    sampleProcesses(readings, maxProcesses);
}

// Energy impact is weighted by this tick's core averages, so processes come after the CPU.
void SystemMonitor::sampleProcesses(Readings& readings, std::int64_t maxProcesses) {
    std::optional<CoreContext> context;
    if (readings.cpu) context = CoreContext{readings.cpu->eCoreAverage, readings.cpu->pCoreAverage};
    readings.processes = processMonitor_.sample(context, maxProcesses);
    readings.processCount = processMonitor_.lastCount();
    // The list on screen may follow another column: its top is cut from the same sample.
    readings.listed =
        processOrder_ == ProcessOrder{} ? readings.processes : processMonitor_.top(processOrder_, maxProcesses);
}

void SystemMonitor::setProcessOrder(const ProcessOrder& order) {
    if (order == processOrder_) return;
    processOrder_ = order;
    if (!isPopoverVisible_ || !processMonitor_.hasSample()) return;
    auto listed = processMonitor_.top(order, appSettings_.maxProcesses());
    processMonitor_.setShown(isProcessListShown_ ? listed : std::vector<ProcStats>());
    stats_.modify([&](SystemStats& stats) { stats.topProcesses = std::move(listed); });
}

// Every absent reading keeps the previous figures of its fields.
SystemStats SystemMonitor::merge(const Readings& readings, bool visible) {
    SystemStats next = stats_.get();
    if (const auto& cpu = readings.cpu) {
        next.cpuTotalUsage = cpu->totalUsage;
        next.cpuUserUsage = cpu->userUsage;
        next.cpuSystemUsage = cpu->systemUsage;
        next.coreUsages = cpu->coreUsages;
        next.eCoreUsages = cpu->eCoreUsages;
        next.pCoreUsages = cpu->pCoreUsages;
        next.eCoreAverage = cpu->eCoreAverage;
        next.pCoreAverage = cpu->pCoreAverage;
        cpuHistory_.modify([&](auto& history) { history.append(cpu->totalUsage); });
    }
    // Hidden ticks leave the list of the last visible tick, but the groups follow every tick.
    next.appGroups = buildAppGroups(readings.processes);
    if (visible) next.topProcesses = readings.listed;
    next.processCount = readings.processCount;
    next.thermalLevel = thermalMonitor_.systemLevel();
    next.hasPowerMeter = powerMonitor_.hasMeter();
    if (const auto& power = readings.power) {
        next.cpuPowerWatts = power->sample.cpuWatts;
        next.gpuPowerWatts = power->sample.gpuWatts;
        next.dramPowerWatts = power->sample.dramWatts;
        next.totalPowerWatts = power->total;
        powerHistory_.modify([&](auto& history) { history.append(power->total); });
    }
    if (const auto& temperatures = readings.temperatures) {
        next.eCoreTemp = temperatures->eCoreTemp;
        next.pCoreTemp = temperatures->pCoreTemp;
        next.gpuTemp = temperatures->gpuTemp;
        next.allTemperatures = temperatures->allTemps;
        next.sortedTemperatures = temperatures->sortedTemps;
        next.fanSpeeds = temperatures->fanSpeeds;
    }
    if (const auto& memory = readings.memory) {
        next.memoryUsed = memory->used;
        next.memoryTotal = memory->total;
        next.memoryPressure = memory->pressure;
        next.memoryActive = memory->active;
        next.memoryWired = memory->wired;
        next.memoryCompressed = memory->compressed;
        next.memoryAppUsed = memory->appUsed;
    }
    if (const auto& disk = readings.disk) {
        next.diskReadBytesPerSec = disk->readBytesPerSec;
        next.diskWriteBytesPerSec = disk->writeBytesPerSec;
    }
    if (const auto& network = readings.network) {
        next.networkInBytesPerSec = network->inBytesPerSec;
        next.networkOutBytesPerSec = network->outBytesPerSec;
    }
    std::optional<bool> freshPluggedIn;
    if (const auto& battery = readings.battery) {
        mergeBattery(*battery, next);
        freshPluggedIn = battery->isPluggedIn;
    }
    updateEnergyAlerts(readings.processes, visible, freshPluggedIn, next);
    conditionAlerts_.check(next.thermalLevel.value_or(ThermalLevel::nominal), alertBattery(readings.battery));
    return next;
}

void SystemMonitor::mergeBattery(const BatteryMonitor::Snapshot& battery, SystemStats& next) {
    next.batteryPercentage = battery.percentage;
    next.batteryChargeLevel = battery.chargeLevel;
    next.batteryWatts = battery.watts;
    next.batteryIsCharging = battery.isCharging;
    next.batteryIsPluggedIn = battery.isPluggedIn;
    next.batteryIsPresent = true;
    next.batteryHealthPercent = battery.healthPercent.value_or(0);
    next.batteryCycleCount = battery.cycleCount;
    next.batteryMaxCapacityMAh = battery.rawMaxCapacity.value_or(0);
    next.batteryDesignCapacityMAh = battery.designCapacity.value_or(0);
    next.batteryAdapterWatts = battery.adapterWatts;
    next.batteryTimeRemaining = batteryMonitor_.estimateTimeRemaining(battery, next.cpuTotalUsage, currentInterval_);
}

// freshPluggedIn is the plugged-in flag of this tick's battery sample, absent without one.
void SystemMonitor::updateEnergyAlerts(const std::vector<ProcStats>& processes, bool visible,
                                       std::optional<bool> freshPluggedIn, SystemStats& next) {
    const bool alertsOn = appSettings_.alertsEnergy();
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

void SystemMonitor::poll() {
    const bool visible = isPopoverVisible_;
    // The list holds as many processes as the setting names, the picker's 25 included.
    const auto maxProcesses = appSettings_.maxProcesses();
    // The kernel row's name is looked up again only when the language changed.
    if (const auto language = currentLanguage(); language != processLanguage_) {
        processLanguage_ = language;
        processMonitor_.setLanguage(toRaw(language), L::linuxKernel());
    }
    Readings readings;
    if (visible) {
        sampleVisible(readings, maxProcesses);
    } else {
        sampleHidden(readings, maxProcesses);
    }
    // The rows on screen get fresh memory figures at every tick, idle or not.
    processMonitor_.setShown(visible && isProcessListShown_ ? readings.listed : std::vector<ProcStats>());
    SystemStats next = merge(readings, visible);
    stats_.set(next);
    updateStatusItem(next);
    if (!usageCollector_) createUsageCollector();
    usageCollector_->record(next, currentInterval_);
    sendTelemetry(visible, next);
    // The service composes and sends only when a push is due.
    if (metricsPush_) metricsPush_->tick({next, healthPrediction_.get(), habitScore_.get(), usageProfile_.get()});
    tickCompleted.emit(next);
}

// The service decides whether a heartbeat is due and whether telemetry is on at all.
void SystemMonitor::sendTelemetry(bool visible, const SystemStats& stats) {
    if (telemetry_ && visible && telemetry_->heartbeatDue()) telemetry_->sendHeartbeatIfNeeded(telemetry_->snapshot(stats, appSettings_));
    if (didSendLaunchTelemetry_) return;
    didSendLaunchTelemetry_ = true;
    if (telemetry_) telemetry_->sendLaunch(telemetry_->snapshot(stats, appSettings_));
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

void SystemMonitor::updateStatusItem(const SystemStats& stats) {
    const auto title = StatusItemComposer::title(stats, StatusItemComposer::titleOptions(appSettings_));
    const auto icon = StatusItemComposer::batteryIcon(stats);
    const std::string iconKey = icon ? icon->key() : "";
    if (title.text == lastMenuBarText_ && iconKey == lastMenuBarIcon_) return;
    lastMenuBarText_ = title.text;
    lastMenuBarIcon_ = iconKey;
    if (onMenuBarUpdate_) onMenuBarUpdate_(icon, title);
}

}  // namespace corvelle
