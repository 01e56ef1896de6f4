#include "history/UsageStore.h"

#include "history/LocalCalendar.h"

#include <algorithm>

namespace corvelle {
namespace {

template <typename List>
void removeOlderThan(List& list, const std::string& key) {
    std::erase_if(list, [&](const auto& element) { return element.date < key; });
}

}  // namespace

UsageStore::UsageStore(DataFolder folder, std::shared_ptr<const Clock> clock, std::shared_ptr<EventLoop> eventLoop,
                       double checkpointInterval)
    : folder_(std::move(folder)),
      dailySummariesURL_(folder_.path() / "daily-summaries.json"),
      healthHistoryURL_(folder_.path() / "health-history.json"),
      profileURL_(folder_.path() / "profile.json"),
      clock_(std::move(clock)),
      eventLoop_(std::move(eventLoop)),
      checkpointInterval_(checkpointInterval) {
    folder_.create();
}

std::string UsageStore::dateString(double unixSeconds) { return LocalCalendar::dayKey(unixSeconds); }

void UsageStore::load() {
    for (const auto* path : {&dailySummariesURL_, &healthHistoryURL_, &profileURL_}) folder_.removeLeftovers(*path);
    history_ = loadFile<UsageHistory>(dailySummariesURL_).value_or(UsageHistory{});
    healthEntries_ = loadFile<std::vector<BatteryHealthEntry>>(healthHistoryURL_).value_or(std::vector<BatteryHealthEntry>{});
    prune();
}

void UsageStore::prune() {
    const auto key = LocalCalendar::dayKeyDaysBefore(clock_->now(), retentionDays);
    removeOlderThan(history_.dailySnapshots, key);
    removeOlderThan(healthEntries_, key);
}

DailySnapshot UsageStore::todaySnapshot() const {
    const double now = clock_->now();
    const auto today = dateString(now);
    const auto& records = history_.dailySnapshots;
    const auto found = std::find_if(records.begin(), records.end(), [&](const auto& r) { return r.date == today; });
    return found != records.end() ? *found : DailySnapshot::empty(today, now);
}

void UsageStore::updateTodaySnapshot(const DailySnapshot& snapshot) {
    auto& records = history_.dailySnapshots;
    const auto found =
        std::find_if(records.begin(), records.end(), [&](const auto& r) { return r.date == snapshot.date; });
    if (found != records.end()) {
        *found = snapshot;
    } else {
        records.push_back(snapshot);
    }
    isDirty_ = true;
}

std::vector<DailySnapshot> UsageStore::recentSnapshots(std::size_t days) const {
    auto sorted = history_.dailySnapshots;
    std::stable_sort(sorted.begin(), sorted.end(), [](const auto& a, const auto& b) { return a.date < b.date; });
    if (sorted.size() > days) sorted.erase(sorted.begin(), sorted.end() - static_cast<std::ptrdiff_t>(days));
    return sorted;
}

void UsageStore::addHealthEntry(const BatteryHealthEntry& entry) {
    const auto position = std::upper_bound(healthEntries_.begin(), healthEntries_.end(), entry,
                                           [](const auto& a, const auto& b) { return a.date < b.date; });
    healthEntries_.insert(position, entry);
    isDirty_ = true;
}

void UsageStore::saveIfNeeded() {
    if (!isDirty_ || savePending_) return;
    if (lastSaveUptime_ && clock_->uptime() - *lastSaveUptime_ < checkpointInterval_) return;
    savePending_ = true;
    eventLoop_->post([weak = std::weak_ptr<bool>(alive_), this] {
        if (weak.expired()) return;
        savePending_ = false;
        performSave();
    });
}

void UsageStore::performSave() {
    const bool daily = static_cast<bool>(saveFile(dailySummariesURL_, history_));
    const bool health = static_cast<bool>(saveFile(healthHistoryURL_, healthEntries_));
    // A failed write (a full disk, a read-only file system) stays dirty: the next due save, or
    // the one at shutdown, tries again. Both files are rewritten whole, so both go again.
    isDirty_ = !(daily && health);
    lastSaveUptime_ = clock_->uptime();
}

}  // namespace corvelle
