#include "history/UsageStore.h"

#include "history/LocalCalendar.h"
#include "history/StoredFigures.h"
#include "util/JsonFields.h"
#include "util/JsonText.h"

#include <algorithm>
#include <iterator>
#include <type_traits>
#include <utility>

namespace corvelle {
namespace {

template <typename List>
void removeOlderThan(List& list, const std::string& key) {
    std::erase_if(list, [&](const auto& element) { return element.date < key; });
}

std::string counted(std::size_t count, const std::string& one, const std::string& many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

// What a record holds before any sample: the no-reading value of each of its figures.
template <typename T>
nlohmann::json emptyRecord() {
    if constexpr (std::is_same_v<T, DailySnapshot>) {
        return DailySnapshot::empty({}, 0);
    } else {
        return T{};
    }
}

// Sorts a loaded list by day and keeps the last stored record of each day; returns how many it
// dropped.
template <typename T>
std::size_t keepOnePerDay(std::vector<T>& list) {
    std::ranges::stable_sort(list, {}, &T::date);
    // Reversed, the last stored record of a day leads its run, and unique keeps the first.
    std::ranges::reverse(list);
    const auto repeated = std::ranges::unique(list, {}, &T::date);
    const auto dropped = static_cast<std::size_t>(repeated.size());
    list.erase(repeated.begin(), repeated.end());
    std::ranges::reverse(list);
    return dropped;
}

// Moves the records of a list in date order that are dated after `today` to `later`.
template <typename T>
void setAsideAfter(DataFile& file, std::vector<T>& list, std::vector<T>& later, const std::string& today) {
    const auto cut = std::ranges::upper_bound(list, today, {}, &T::date);
    later.assign(std::make_move_iterator(cut), std::make_move_iterator(list.end()));
    list.erase(cut, list.end());
    if (later.empty()) return;
    const auto span = later.size() == 1 ? later[0].date : later.front().date + " to " + later.back().date;
    file.note("holds " + counted(later.size(), "day", "days") + " after today (" + span +
              "): kept in the file, shown once that day comes");
}

// Brings the records of `later` whose day has come into `list`, in date order; a day the list
// already holds keeps its own record.
template <typename T>
void admitUpTo(std::vector<T>& list, std::vector<T>& later, const std::string& today) {
    const auto come = std::ranges::upper_bound(later, today, {}, &T::date);
    for (auto it = later.begin(); it != come; ++it) {
        const auto at = std::ranges::lower_bound(list, it->date, {}, &T::date);
        if (at == list.end() || at->date != it->date) list.insert(at, std::move(*it));
    }
    later.erase(later.begin(), come);
}

template <typename T>
void append(nlohmann::json& list, const std::vector<T>& records) {
    for (const auto& record : records) list.push_back(record);
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
    const auto health = health_.load(now);
    healthEntries_ = health ? decodableRecords<BatteryHealthEntry>(health_, &*health, now) : std::vector<BatteryHealthEntry>{};
    const auto today = dateString(now);
    setAsideAfter(daily_, history_.dailySnapshots, laterDays_, today);
    setAsideAfter(health_, healthEntries_, laterHealthEntries_, today);
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
    const nlohmann::json empty = emptyRecord<T>();
    std::vector<T> kept;
    std::size_t repaired = 0;
    for (nlohmann::json element : *list) {
        repaired += StoredFigures::repair(element, empty);
        if (auto record = JsonFields::decodeValue<T>(element)) kept.push_back(std::move(*record));
    }
    const std::size_t damaged = list->size() - kept.size(), repeated = keepOnePerDay(kept);
    // The kept records take the place of the original, which is aside now.
    if (damaged > 0 || repeated > 0) {
        std::string dropped = damaged > 0 ? counted(damaged, "damaged record", "damaged records") : "";
        if (damaged > 0 && repeated > 0) dropped += " and ";
        if (repeated > 0) dropped += counted(repeated, "earlier record of a repeated day", "earlier records of repeated days");
        file.dropRecords(dropped, kept.size(), now);
        isDirty_ = true;
    }
    if (repaired > 0) {
        file.note("holds " + counted(repaired, "figure", "figures") +
                  " that no day can hold (not finite, negative or above 1e15): read as no reading");
        isDirty_ = true;
    }
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
    const auto today = dateString(clock_->now());
    admitUpTo(history_.dailySnapshots, laterDays_, today);
    admitUpTo(healthEntries_, laterHealthEntries_, today);
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
    nlohmann::json daily = history_;
    append(daily["dailySnapshots"], laterDays_);
    nlohmann::json health = healthEntries_;
    append(health, laterHealthEntries_);
    const bool dailySaved = saveList(daily_, daily, daily["dailySnapshots"], emptyRecord<DailySnapshot>());
    const bool healthSaved = saveList(health_, health, health, emptyRecord<BatteryHealthEntry>());
    // A failed write (a full disk, a read-only file system) stays dirty: the next due save, or
    // the one at shutdown, tries again. Both files are rewritten whole, so both go again.
    isDirty_ = !(dailySaved && healthSaved);
    lastSaveUptime_ = clock_->uptime();
}

// A figure that JSON cannot carry (not finite: only a fault of ours makes one) is written as no
// reading, so that one record never keeps the other days from being saved.
bool UsageStore::saveList(DataFile& file, nlohmann::json& whole, nlohmann::json& records,
                          const nlohmann::json& empty) {
    auto text = JsonText::encode(whole);
    if (!text) {
        std::size_t repaired = 0;
        for (auto& record : records) repaired += StoredFigures::repair(record, empty);
        if (!std::exchange(saidUnwritable_, true)) {
            file.note("is saved with " + counted(repaired, "figure", "figures") + " that cannot be written (not finite) as no reading");
        }
        text = JsonText::encode(whole);
    }
    return static_cast<bool>(file.save(text));
}

}  // namespace corvelle
