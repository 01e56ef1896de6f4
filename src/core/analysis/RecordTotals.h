#pragma once

#include "history/DailySnapshot.h"

#include <optional>
#include <vector>

// Sums and means of one figure over a list of records, shared by the analysis engines.
namespace corvelle::RecordTotals {

template <typename Records, typename Field>
double sumOf(const Records& records, Field field) {
    double sum = 0;
    for (const auto& record : records) sum += static_cast<double>(field(record));
    return sum;
}

// 0 for no records.
template <typename Records, typename Field>
double meanOf(const Records& records, Field field) {
    return records.empty() ? 0.0 : sumOf(records, field) / static_cast<double>(records.size());
}

// The mean of a power figure over the records that had power readings (the others hold no
// watts, not 0 W); absent when none had.
template <typename Field>
std::optional<double> powerMeanOf(const std::vector<DailySnapshot>& records, Field field) {
    double sum = 0;
    int count = 0;
    for (const auto& record : records) {
        if (!record.hasPowerReadings()) continue;
        sum += field(record);
        ++count;
    }
    if (count == 0) return std::nullopt;
    return sum / count;
}

// Share of the sampled time spent above nominal thermal pressure; 0 when nothing was sampled.
// Every sample adds its interval to either the battery or the plugged-in time, so their sum is
// the time sampled whatever polling interval was in force.
double thermalFraction(const std::vector<DailySnapshot>& records);

}  // namespace corvelle::RecordTotals
