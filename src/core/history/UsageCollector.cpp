#include "history/UsageCollector.h"

#include "history/LocalCalendar.h"
#include "history/UsageStore.h"
#include "model/SystemStats.h"

#include <algorithm>
#include <cmath>

namespace corvelle {

UsageCollector::UsageCollector(UsageStore& store)
    : store_(store), currentDay_(UsageStore::dateString(store.clock().now())), snapshot_(store.todaySnapshot()) {}

std::int64_t UsageCollector::saveThreshold(double pollingInterval, double checkpointInterval) {
    if (!(pollingInterval > 0)) return 150;
    // Capped so a vanishing interval cannot overflow the count.
    return static_cast<std::int64_t>(std::min(checkpointInterval / pollingInterval, 1e15));
}

void UsageCollector::record(const SystemStats& stats, double pollingInterval) {
    const double now = store_.clock().now();
    const auto today = UsageStore::dateString(now);
    rollOverIfNeeded(today);
    if (!snapshot_.fold(stats, pollingInterval, now)) return;
    recordHealthIfDue(stats, now, today);
    store_.updateTodaySnapshot(snapshot_);
    if (++saveCounter_ >= saveThreshold(pollingInterval, store_.checkpointInterval())) {
        saveCounter_ = 0;
        store_.saveIfNeeded();
    }
}

void UsageCollector::rollOverIfNeeded(const std::string& today) {
    if (today == currentDay_) return;
    store_.updateTodaySnapshot(snapshot_);
    // Records that left the retention window go now, so a long run stays bounded.
    store_.prune();
    if (store_.isDirty()) store_.performSave();
    currentDay_ = today;
    // The stored record of the new day when there is one: after the clock or the time zone
    // moves back across midnight the day already has samples that must not be replaced.
    snapshot_ = store_.todaySnapshot();
    lastHealthRecordHour_ = -1;
    if (onDayRollover) onDayRollover();
}

void UsageCollector::recordHealthIfDue(const SystemStats& stats, double now, const std::string& today) {
    const int hour = LocalCalendar::hour(now);
    const double health = stats.batteryHealthPercent;
    // Without a battery the health is only the snapshot's default: no reading.
    if (hour == lastHealthRecordHour_ || !stats.batteryIsPresent || !std::isfinite(health) || !(health > 0)) return;
    lastHealthRecordHour_ = hour;
    const auto& entries = store_.healthEntries();
    // Any entry of today, not only the last one: the clock may have moved back a day.
    if (std::any_of(entries.begin(), entries.end(), [&](const auto& entry) { return entry.date == today; })) return;
    store_.addHealthEntry(BatteryHealthEntry{today, health, stats.batteryCycleCount, stats.batteryMaxCapacityMAh,
                                             stats.batteryDesignCapacityMAh, stats.pCoreTemp,
                                             snapshot_.battery.avgDischargeWatts});
}

}  // namespace corvelle
