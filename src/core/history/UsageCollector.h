#pragma once

#include "history/DailySnapshot.h"

#include <cstdint>
#include <functional>
#include <string>

namespace corvelle {

struct SystemStats;
class UsageStore;

// Folds every live snapshot into today's record, notices the local day change, takes one
// battery-health reading per day and hands the record to the store after every sample,
// asking it to save about every checkpoint interval. Main thread only.
class UsageCollector {
public:
    // Continues the store's record of today, if there is one.
    explicit UsageCollector(UsageStore& store);

    // `pollingInterval` is the time in seconds the sample stands for.
    void record(const SystemStats& stats, double pollingInterval);

    // Called once per day change, before the first sample of the new day is folded.
    std::function<void()> onDayRollover;

    const std::string& currentDay() const { return currentDay_; }
    const DailySnapshot& snapshot() const { return snapshot_; }

    // Samples between save requests at a polling interval, for the store's checkpoint interval.
    static std::int64_t saveThreshold(double pollingInterval, double checkpointInterval);

private:
    void rollOverIfNeeded(const std::string& today);
    void recordHealthIfDue(const SystemStats& stats, double now, const std::string& today);

    UsageStore& store_;
    std::string currentDay_;
    DailySnapshot snapshot_;
    std::int64_t saveCounter_ = 0;
    int lastHealthRecordHour_ = -1;
};

}  // namespace corvelle
