#include "history/DailySnapshot.h"

#include "history/LocalCalendar.h"
#include "model/SystemStats.h"
#include "util/JsonFields.h"

#include <cmath>
#include <initializer_list>

namespace corvelle {
namespace {

constexpr int kHoursPerDay = 24;

bool foldable(const SystemStats& s, double interval) {
    for (double value : {interval, s.cpuTotalUsage, s.eCoreAverage, s.pCoreAverage, s.memoryPressure,
                         s.totalPowerWatts, s.batteryWatts, s.gpuPowerWatts, s.batteryPercentage.value_or(0), s.pCoreTemp}) {
        if (!std::isfinite(value)) return false;
    }
    for (const auto& group : s.appGroups) {
        if (!std::isfinite(group.totalCPU)) return false;
    }
    return true;
}

}  // namespace

DailySnapshot DailySnapshot::empty(const std::string& date, double now) {
    DailySnapshot snapshot;
    snapshot.date = date;
    snapshot.hourlyFingerprints.resize(kHoursPerDay);
    for (int hour = 0; hour < kHoursPerDay; ++hour) snapshot.hourlyFingerprints[hour].hour = hour;
    snapshot.firstSampleAt = now;
    snapshot.lastSampleAt = now;
    return snapshot;
}

std::int64_t DailySnapshot::meteredSamples() const {
    std::int64_t metered = 0;
    for (const auto& hour : hourlyFingerprints) metered += hour.meteredSamples;
    return metered;
}

bool DailySnapshot::fold(const SystemStats& stats, double interval, double now) {
    if (!foldable(stats, interval)) return false;
    const auto count = sampleCount;
    if (count == 0) firstSampleAt = now;
    lastSampleAt = now;
    cpu.fold(stats, count);
    memory.fold(stats, count);
    power.fold(stats, count, meteredSamples(), interval);
    battery.fold(stats, interval);
    thermal.fold(stats, count, interval);
    hourlyFingerprints[LocalCalendar::hour(now)].fold(stats);
    foldApplications(stats, interval);
    ++sampleCount;
    return true;
}

void DailySnapshot::foldApplications(const SystemStats& stats, double interval) {
    for (const auto& group : stats.appGroups) {
        if (group.totalCPU <= 1.0) continue;
        appPresenceMinutes[group.name] += interval / 60.0;
        appCPUTotals[group.name] += group.totalCPU;
    }
}

namespace {

// The stored keys, for both directions.
constexpr auto kFields = std::make_tuple(
    JsonFields::field("date", &DailySnapshot::date),
    JsonFields::field("cpu", &DailySnapshot::cpu),
    JsonFields::field("memory", &DailySnapshot::memory),
    JsonFields::field("power", &DailySnapshot::power),
    JsonFields::field("battery", &DailySnapshot::battery),
    JsonFields::field("thermal", &DailySnapshot::thermal),
    JsonFields::field("hourlyFingerprints", &DailySnapshot::hourlyFingerprints),
    JsonFields::field("appPresenceMinutes", &DailySnapshot::appPresenceMinutes),
    JsonFields::field("appCPUTotals", &DailySnapshot::appCPUTotals),
    JsonFields::field("sampleCount", &DailySnapshot::sampleCount),
    JsonFields::dateField("firstSampleAt", &DailySnapshot::firstSampleAt),
    JsonFields::dateField("lastSampleAt", &DailySnapshot::lastSampleAt));

}  // namespace

void to_json(nlohmann::json& json, const DailySnapshot& value) { JsonFields::encode(json, value, kFields); }

void from_json(const nlohmann::json& json, DailySnapshot& value) {
    JsonFields::decode(json, value, kFields);
    if (!LocalCalendar::dayNumber(value.date)) throw JsonFields::ShapeError("date");
    // The fold indexes the hours directly, so anything but hours 0 to 23 in order is damage.
    if (value.hourlyFingerprints.size() != kHoursPerDay) throw JsonFields::ShapeError("hourlyFingerprints");
    for (int hour = 0; hour < kHoursPerDay; ++hour) {
        if (value.hourlyFingerprints[hour].hour != hour) throw JsonFields::ShapeError("hourlyFingerprints");
    }
}

}  // namespace corvelle
