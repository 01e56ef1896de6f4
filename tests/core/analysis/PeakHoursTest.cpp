#include "analysis/PeakHours.h"

#include <gtest/gtest.h>

namespace corvelle {
namespace {

// A day whose listed hours were measured at the given watts (CPU ten times the watts).
DailySnapshot day(const std::vector<std::pair<int, double>>& hours) {
    auto record = DailySnapshot::empty("2025-06-01", 0);
    for (const auto& [hour, watts] : hours) {
        auto& entry = record.hourlyFingerprints[static_cast<std::size_t>(hour)];
        entry.avgWatts = watts;
        entry.avgCPU = watts * 10;
        entry.sampleCount = entry.meteredSamples = 1;
    }
    return record;
}

TEST(PeakHours, HoursAveragedOverTheDaysThatMeasuredThemBusiestFirst) {
    // Hour 9 is sampled on both days (mean 6 W), hour 14 on one (8 W).
    const auto peaks = findPeakHours({day({{9, 4}, {14, 8}}), day({{9, 8}})});
    EXPECT_EQ(peaks, (std::vector<HourlyPeak>{{14, 8, 80}, {9, 6, 60}}));
    auto unmeasured = day({{3, 0}});
    unmeasured.hourlyFingerprints[3].meteredSamples = 0;
    EXPECT_TRUE(findPeakHours({unmeasured}).empty()) << "an hour sampled without a power meter is not a 0 W hour";
    EXPECT_TRUE(findPeakHours({}).empty());
    // Equal watts keep the hours' order.
    EXPECT_EQ(findPeakHours({day({{20, 2}, {7, 2}, {12, 5}, {1, 2}})}),
              (std::vector<HourlyPeak>{{12, 5, 50}, {1, 2, 20}, {7, 2, 20}, {20, 2, 20}}));
}

}  // namespace
}  // namespace corvelle
