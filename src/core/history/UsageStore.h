#pragma once

#include "history/BatteryHealthEntry.h"
#include "history/DailySnapshot.h"
#include "history/UsageHistory.h"
#include "platform/Clock.h"
#include "model/ProfileClassification.h"
#include "platform/EventLoop.h"
#include "util/AtomicFile.h"
#include "util/DataFile.h"
#include "util/DataFolder.h"

#include <nlohmann/json_fwd.hpp>

#include <cstddef>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace corvelle {

// The usage history on disk and in memory: the daily records (daily-summaries.json), one
// battery-health reading per day (health-history.json) and the place of the saved usage
// profile (profile.json). Writes are atomic, throttled to one per checkpointInterval outside
// day changes and shutdown. A damaged file is moved aside and replaced by an empty list; of a
// list with some damaged records, the others are kept. Stored days are checked as they load:
// one record per day (the last one stored), a figure no day can hold reads as no reading, and a
// day after today (a clock that was ahead, a hand-edited file) is kept aside in the file,
// neither shown nor pruned, until that day comes.
// Main thread only.
class UsageStore {
public:
    static constexpr int retentionDays = 90;

    // Creates the folder (with its parents) if needed and writable; reads nothing yet. Periodic
    // writes come at most every `checkpointInterval` seconds.
    UsageStore(DataFolder folder, std::shared_ptr<const Clock> clock, std::shared_ptr<EventLoop> eventLoop,
               double checkpointInterval = 300);

    // Reads both files and drops what is older than the retention window.
    void load();

    // The stored record of today, or a fresh one (not stored).
    DailySnapshot todaySnapshot() const;
    // Files the record under its own date, replacing the record of that date or appending.
    void updateTodaySnapshot(const DailySnapshot& snapshot);
    // The last `days` stored records by date, oldest first (days without a record are skipped).
    std::vector<DailySnapshot> recentSnapshots(std::size_t days) const;

    const UsageHistory& history() const { return history_; }
    const std::vector<BatteryHealthEntry>& healthEntries() const { return healthEntries_; }
    // Adds a reading in date order (an append in the normal course of days).
    void addHealthEntry(const BatteryHealthEntry& entry);

    // Removes records and readings older than retentionDays calendar days before today, and
    // brings those kept aside as later days in once their day has come.
    void prune();

    // Schedules a write on the event loop when dirty and the last write is old enough.
    void saveIfNeeded();
    // Writes both files now; a file whose write fails keeps its previous contents, and the store
    // stays dirty so that the next due save tries again.
    void performSave();
    bool isDirty() const { return isDirty_; }

    const std::filesystem::path& directory() const { return folder_.path(); }
    const std::filesystem::path& dailySummariesURL() const { return daily_.path(); }
    const std::filesystem::path& profileURL() const { return profile_.path(); }
    const Clock& clock() const { return *clock_; }
    double checkpointInterval() const { return checkpointInterval_; }

    // The day key of a moment in the local calendar: "%04d-%02d-%02d".
    static std::string dateString(double unixSeconds);

    // The saved usage profile (profile.json): absent when there is none or it is damaged.
    std::optional<ProfileClassification> loadProfile();
    AtomicFile::WriteResult saveProfile(const ProfileClassification& profile);

private:
    // The records of a list that decode, one per day in date order; a list that is no list is a
    // damaged file.
    template <typename T>
    std::vector<T> decodableRecords(DataFile& file, const nlohmann::json* list, double now);
    UsageHistory loadHistory(double now);
    // Writes `whole`, the file's JSON, whose record list is `records`.
    bool saveList(DataFile& file, nlohmann::json& whole, nlohmann::json& records, const nlohmann::json& empty);

    DataFolder folder_;
    DataFile daily_;
    DataFile health_;
    DataFile profile_;
    std::shared_ptr<const Clock> clock_;
    std::shared_ptr<EventLoop> eventLoop_;
    double checkpointInterval_;
    UsageHistory history_;
    std::vector<BatteryHealthEntry> healthEntries_;
    // Stored records dated after the day they were loaded on, in date order.
    std::vector<DailySnapshot> laterDays_;
    std::vector<BatteryHealthEntry> laterHealthEntries_;
    // Uptime of the last write, so a wall clock set back cannot hold writes off.
    std::optional<double> lastSaveUptime_;
    bool isDirty_ = false;
    bool savePending_ = false;
    bool saidUnwritable_ = false;
    // Deferred writes hold this weakly and do nothing once the store is gone.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace corvelle
