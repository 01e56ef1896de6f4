#pragma once

#include "alerts/BaselinesFile.h"
#include "alerts/EnergyAlert.h"
#include "model/ProcStats.h"
#include "model/ProcessComparison.h"
#include "platform/Clock.h"
#include "platform/EventLoop.h"
#include "platform/Notifier.h"
#include "util/DataFile.h"
#include "util/DataFolder.h"

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace corvelle {

// Learns how much CPU each process normally uses, per pid for this run and per name across
// runs, and flags a process running far above that. Also keeps the long-term average of the
// battery draw. The per-name baselines and the average live in baselines.json. Main thread only.
class EnergyAlertService {
public:
    struct SessionBaseline {
        double avgCPU = 0;
        std::int64_t sampleCount = 0;
        std::optional<double> lastAlertTime;  // uptime seconds
    };
    using PersistedBaseline = BaselinesFile::Baseline;

    // Creates the folder (when writable), loads baselines.json from it and starts the save timer
    // (first save after half the save interval, then every interval). A null notifier shows nothing.
    EnergyAlertService(std::shared_ptr<const Clock> clock, std::shared_ptr<EventLoop> eventLoop, DataFolder folder,
                       std::shared_ptr<Notifier> notifier, double saveInterval = 60);
    ~EnergyAlertService();
    EnergyAlertService(const EnergyAlertService&) = delete;
    EnergyAlertService& operator=(const EnergyAlertService&) = delete;

    // Folds one poll's processes into the baselines; the alert for a process above three times
    // its learnt baseline and above 15 %, at most one per pid in 300 s. With several, the last.
    std::optional<EnergyAlert> check(const std::vector<ProcStats>& processes);
    // Processes with a learnt baseline above 0.1 %, by current/baseline ratio, at most limit.
    std::vector<ProcessComparison> processComparisons(const std::vector<ProcStats>& processes,
                                                      std::int64_t limit) const;
    // Posts the desktop notification for an alert.
    void send(const EnergyAlert& alert) const;
    // Writes baselines.json when something changed since the last successful write.
    void saveToDisk();

    // Folds a battery power reading into the long-term average; readings of 0 W or less are ignored.
    void updateSystemWatts(double batteryWatts);
    std::optional<double> systemWattsEMA() const { return systemWattsEMA_; }

    const std::map<std::string, PersistedBaseline>& persistedBaselines() const { return persistedBaselines_; }
    bool isDirty() const { return isDirty_; }
    const std::filesystem::path& saveURL() const { return file_.path(); }

private:
    void loadFromDisk();
    void startSaveTimer();
    void updatePersistedBaseline(const std::string& name, double cpu);
    void updateSessionBaseline(SessionBaseline& session, double cpu);
    const PersistedBaseline* persisted(const std::string& name) const;
    static double effectiveBaselineCPU(const SessionBaseline* session, const PersistedBaseline* persisted);
    static bool isLearnt(const SessionBaseline* session, const PersistedBaseline* persisted);

    std::shared_ptr<const Clock> clock_;
    std::shared_ptr<EventLoop> eventLoop_;
    std::shared_ptr<Notifier> notifier_;
    std::unordered_map<std::int32_t, SessionBaseline> sessionBaselines_;
    std::map<std::string, PersistedBaseline> persistedBaselines_;
    std::optional<double> systemWattsEMA_;
    DataFile file_;
    double saveInterval_;
    std::optional<TimerId> saveTimer_;
    bool isDirty_ = false;
};

}  // namespace corvelle
