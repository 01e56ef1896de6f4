#include "analysis/PeakHours.h"

#include <algorithm>
#include <array>

namespace corvelle {

std::vector<HourlyPeak> findPeakHours(const std::vector<DailySnapshot>& records) {
    struct Sums {
        double watts = 0;
        double cpu = 0;
        int count = 0;
    };
    std::array<Sums, 24> hours{};
    for (const auto& record : records) {
        for (const auto& entry : record.hourlyFingerprints) {
            if (entry.meteredSamples < 1 || entry.hour < 0 || entry.hour >= 24) continue;
            auto& sums = hours[static_cast<std::size_t>(entry.hour)];
            sums.watts += entry.avgWatts;
            sums.cpu += entry.avgCPU;
            ++sums.count;
        }
    }
    std::vector<HourlyPeak> peaks;
    for (int hour = 0; hour < 24; ++hour) {
        const auto& sums = hours[static_cast<std::size_t>(hour)];
        if (sums.count > 0) peaks.push_back({hour, sums.watts / sums.count, sums.cpu / sums.count});
    }
    std::stable_sort(peaks.begin(), peaks.end(),
                     [](const HourlyPeak& a, const HourlyPeak& b) { return a.avgWatts > b.avgWatts; });
    return peaks;
}

}  // namespace corvelle
