#pragma once

#include "history/BatteryDailyAggregate.h"
#include "history/CPUDailyAggregate.h"
#include "history/HourlyFingerprint.h"
#include "history/MemoryDailyAggregate.h"
#include "history/PowerDailyAggregate.h"
#include "history/ThermalDailyAggregate.h"

#include <nlohmann/json_fwd.hpp>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace corvelle {

struct SystemStats;

// The summary of one local calendar day, identified by its day key `date`.
struct DailySnapshot {
    std::string date;
    CPUDailyAggregate cpu;
    MemoryDailyAggregate memory;
    PowerDailyAggregate power;
    BatteryDailyAggregate battery;
    ThermalDailyAggregate thermal;
    // Always 24 entries; entry i is local hour i.
    std::vector<HourlyFingerprint> hourlyFingerprints;
    // Application group name to minutes during which it used more than 1 % CPU.
    std::map<std::string, double> appPresenceMinutes;
    // Application group name to the sum of its CPU percentage over those samples.
    std::map<std::string, double> appCPUTotals;
    std::int64_t sampleCount = 0;
    // Seconds since 1970.
    double firstSampleAt = 0;
    double lastSampleAt = 0;

    const std::string& id() const { return date; }
    // Samples that had a power reading; the day's watts and energy are theirs.
    std::int64_t meteredSamples() const;
    bool hasPowerReadings() const { return meteredSamples() > 0; }

    // A fresh record of the day: all figures 0 except minPercent 100, 24 empty hours.
    static DailySnapshot empty(const std::string& date, double now);

    // Folds one sample taken at `now`, standing for `interval` seconds. A sample carrying a
    // number that is not finite is refused (returns false, record unchanged): it would spoil
    // the day's means for good and make the record impossible to save.
    bool fold(const SystemStats& stats, double interval, double now);

    bool operator==(const DailySnapshot&) const = default;

private:
    void foldApplications(const SystemStats& stats, double interval);
};

void to_json(nlohmann::json& json, const DailySnapshot& value);
void from_json(const nlohmann::json& json, DailySnapshot& value);

}  // namespace corvelle
