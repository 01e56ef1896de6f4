#pragma once

#include "history/BatteryHealthEntry.h"
#include "history/DailySnapshot.h"
#include "history/UsageHistory.h"
#include "platform/Clock.h"
#include "platform/EventLoop.h"
#include "util/AtomicFile.h"
#include "util/DataFolder.h"
#include "util/JsonFields.h"
#include "util/SaveLog.h"

#include <cerrno>
#include <cstddef>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

namespace corvelle {

// The usage history on disk and in memory: the daily records (daily-summaries.json), one
// battery-health reading per day (health-history.json) and the place of the saved usage
// profile (profile.json). Writes are atomic, throttled to one per checkpointInterval outside
// day changes and shutdown. A damaged file is moved aside and replaced by an empty list.
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

    // Removes records and readings older than retentionDays calendar days before today.
    void prune();

    // Schedules a write on the event loop when dirty and the last write is old enough.
    void saveIfNeeded();
    // Writes both files now; a file whose encoding or write fails keeps its previous contents,
    // and the store stays dirty so that the next due save tries again.
    void performSave();
    bool isDirty() const { return isDirty_; }

    const std::filesystem::path& directory() const { return folder_.path(); }
    const std::filesystem::path& dailySummariesURL() const { return dailySummariesURL_; }
    const std::filesystem::path& profileURL() const { return profileURL_; }
    const Clock& clock() const { return *clock_; }
    double checkpointInterval() const { return checkpointInterval_; }

    // The day key of a moment in the local calendar: "%04d-%02d-%02d".
    static std::string dateString(double unixSeconds);

    // One of the store's files decoded with its decoder; absent when the file is missing or
    // damaged, and a damaged file is moved aside.
    template <typename T>
    std::optional<T> loadFile(const std::filesystem::path& path) const;
    // Encodes with the store's encoder and writes atomically; on failure (a number that is not
    // finite: EDOM, or a write error) the previous file stays as it is and the failure is logged
    // once per kind.
    template <typename T>
    AtomicFile::WriteResult saveFile(const std::filesystem::path& path, const T& value);

private:
    DataFolder folder_;
    std::filesystem::path dailySummariesURL_;
    std::filesystem::path healthHistoryURL_;
    std::filesystem::path profileURL_;
    std::shared_ptr<const Clock> clock_;
    std::shared_ptr<EventLoop> eventLoop_;
    double checkpointInterval_;
    SaveLog saveLog_;
    UsageHistory history_;
    std::vector<BatteryHealthEntry> healthEntries_;
    // Uptime of the last write, so a wall clock set back cannot hold writes off.
    std::optional<double> lastSaveUptime_;
    bool isDirty_ = false;
    bool savePending_ = false;
    // Deferred writes hold this weakly and do nothing once the store is gone.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

template <typename T>
std::optional<T> UsageStore::loadFile(const std::filesystem::path& path) const {
    std::error_code error;
    if (!std::filesystem::exists(path, error)) return std::nullopt;
    const auto text = AtomicFile::read(path);
    auto value = text ? JsonFields::decodeJson<T>(*text) : std::nullopt;
    if (!value) folder_.moveAsideCorrupt(path, clock_->now());
    return value;
}

template <typename T>
AtomicFile::WriteResult UsageStore::saveFile(const std::filesystem::path& path, const T& value) {
    const auto text = JsonFields::encodeJson(value);
    const auto result = text ? folder_.write(path, *text) : AtomicFile::WriteResult{EDOM};
    if (folder_.writable()) saveLog_.record(path, result.error);
    return result;
}

}  // namespace corvelle
