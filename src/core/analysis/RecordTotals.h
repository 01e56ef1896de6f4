#pragma once

#include "history/DailySnapshot.h"

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

// Share of the sampled time spent above nominal thermal pressure; 0 when nothing was sampled.
// Every sample adds its interval to either the battery or the plugged-in time, so their sum is
// the time sampled whatever polling interval was in force.
double thermalFraction(const std::vector<DailySnapshot>& records);

}  // namespace corvelle::RecordTotals
