#include "analysis/RecordTotals.h"

namespace corvelle::RecordTotals {

double thermalFraction(const std::vector<DailySnapshot>& records) {
    const double sampled =
        sumOf(records, [](const auto& r) { return r.battery.timeOnBatterySeconds + r.battery.timePluggedInSeconds; });
    if (!(sampled > 0)) return 0.0;
    return sumOf(records, [](const auto& r) { return r.thermal.timeAboveNominalSeconds; }) / sampled;
}

}  // namespace corvelle::RecordTotals
