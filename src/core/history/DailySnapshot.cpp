#include "history/DailySnapshot.h"

#include "history/LocalCalendar.h"
#include "model/SystemStats.h"
#include "util/Iso8601.h"
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

bool DailySnapshot::fold(const SystemStats& stats, double interval, double now) {
    if (!foldable(stats, interval)) return false;
    const auto count = sampleCount;
    if (count == 0) firstSampleAt = now;
    lastSampleAt = now;
    cpu.fold(stats, count);
    memory.fold(stats, count);
    power.fold(stats, count, interval);
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

void to_json(nlohmann::json& json, const DailySnapshot& value) {
    json = {{"date", value.date},
            {"cpu", value.cpu},
            {"memory", value.memory},
            {"power", value.power},
            {"battery", value.battery},
            {"thermal", value.thermal},
            {"hourlyFingerprints", value.hourlyFingerprints},
            {"appPresenceMinutes", value.appPresenceMinutes},
            {"appCPUTotals", value.appCPUTotals},
            {"sampleCount", value.sampleCount},
            {"firstSampleAt", Iso8601::format(value.firstSampleAt)},
            {"lastSampleAt", Iso8601::format(value.lastSampleAt)}};
}

void from_json(const nlohmann::json& json, DailySnapshot& value) {
    using namespace JsonFields;
    value.date = text(json, "date");
    value.cpu = record<CPUDailyAggregate>(json, "cpu");
    value.memory = record<MemoryDailyAggregate>(json, "memory");
    value.power = record<PowerDailyAggregate>(json, "power");
    value.battery = record<BatteryDailyAggregate>(json, "battery");
    value.thermal = record<ThermalDailyAggregate>(json, "thermal");
    value.hourlyFingerprints = records<HourlyFingerprint>(json, "hourlyFingerprints");
    // The fold indexes the hours directly, so anything but hours 0 to 23 in order is damage.
    if (value.hourlyFingerprints.size() != kHoursPerDay) throw ShapeError("hourlyFingerprints");
    for (int hour = 0; hour < kHoursPerDay; ++hour) {
        if (value.hourlyFingerprints[hour].hour != hour) throw ShapeError("hourlyFingerprints");
    }
    value.appPresenceMinutes = numberMap(json, "appPresenceMinutes");
    value.appCPUTotals = numberMap(json, "appCPUTotals");
    value.sampleCount = integer(json, "sampleCount");
    value.firstSampleAt = date(json, "firstSampleAt");
    value.lastSampleAt = date(json, "lastSampleAt");
}

}  // namespace corvelle
