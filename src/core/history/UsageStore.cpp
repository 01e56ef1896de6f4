#include "history/UsageStore.h"

#include "history/LocalCalendar.h"
#include "util/JsonFields.h"

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
      daily_(folder_, folder_.path() / "daily-summaries.json"),
      health_(folder_, folder_.path() / "health-history.json"),
      profile_(folder_, folder_.path() / "profile.json"),
      clock_(std::move(clock)),
      eventLoop_(std::move(eventLoop)),
      checkpointInterval_(checkpointInterval) {
    folder_.create();
}

std::string UsageStore::dateString(double unixSeconds) { return LocalCalendar::dayKey(unixSeconds); }

void UsageStore::load() {
    const double now = clock_->now();
    history_ = loadHistory(now);
    // Kept in date order from here on, so that recent days are the list's tail.
    std::ranges::stable_sort(history_.dailySnapshots, {}, &DailySnapshot::date);
    const auto health = health_.load(now);
    healthEntries_ = health ? decodableRecords<BatteryHealthEntry>(health_, &*health, now) : std::vector<BatteryHealthEntry>{};
    prune();
}

// The file's frame (its version and its list) must be whole; its days are taken one by one.
UsageHistory UsageStore::loadHistory(double now) {
    const auto json = daily_.load(now);
    if (!json) return {};
    const bool framed = json->is_object() && json->contains("schemaVersion") &&
                        (*json)["schemaVersion"].is_number_integer() && json->contains("dailySnapshots");
    UsageHistory history;
    history.dailySnapshots = decodableRecords<DailySnapshot>(daily_, framed ? &(*json)["dailySnapshots"] : nullptr, now);
    return history;
}

template <typename T>
std::vector<T> UsageStore::decodableRecords(DataFile& file, const nlohmann::json* list, double now) {
    if (!list || !list->is_array()) {
        file.reject(now);
        return {};
    }
    std::vector<T> kept;
    for (const auto& element : *list) {
        if (auto record = JsonFields::decodeValue<T>(element)) kept.push_back(std::move(*record));
    }
    const std::size_t dropped = list->size() - kept.size();
    file.dropRecords(dropped, kept.size(), now);
    // The kept records take the place of the original, which is aside now.
    if (dropped > 0) isDirty_ = true;
    return kept;
}

std::optional<ProfileClassification> UsageStore::loadProfile() {
    const double now = clock_->now();
    const auto json = profile_.load(now);
    if (!json) return std::nullopt;
    auto profile = JsonFields::decodeValue<ProfileClassification>(*json);
    if (!profile) profile_.reject(now);
    return profile;
}

AtomicFile::WriteResult UsageStore::saveProfile(const ProfileClassification& profile) {
    return profile_.save(JsonFields::encodeJson(profile));
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
        records.insert(std::ranges::upper_bound(records, snapshot.date, {}, &DailySnapshot::date), snapshot);
    }
    isDirty_ = true;
}

std::vector<DailySnapshot> UsageStore::recentSnapshots(std::size_t days) const {
    const auto& records = history_.dailySnapshots;
    return {records.end() - static_cast<std::ptrdiff_t>(std::min(days, records.size())), records.end()};
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
    const bool daily = static_cast<bool>(daily_.save(JsonFields::encodeJson(history_)));
    const bool health = static_cast<bool>(health_.save(JsonFields::encodeJson(healthEntries_)));
    // A failed write (a full disk, a read-only file system) stays dirty: the next due save, or
    // the one at shutdown, tries again. Both files are rewritten whole, so both go again.
    isDirty_ = !(daily && health);
    lastSaveUptime_ = clock_->uptime();
}

}  // namespace corvelle
