#include "settings/Sections.h"

#include "util/EnumNames.h"

namespace corvelle {
namespace {

constexpr std::array<std::string_view, 10> overviewNames{"habitScore",  "cpu",        "cpuHistory",
                                                         "systemGauges", "thermal",  "graphics",
                                                         "profile",     "healthTrend", "prediction",
                                                         "usagePatterns"};
constexpr std::array<std::string_view, 5> batteryNames{"batteryStatus", "usageComparison", "health",
                                                       "topEnergyUsers", "batteryCare"};
constexpr std::array<std::string_view, 5> historyNames{"cpuHistory", "energyHistory", "temperatures", "powerDraw",
                                                       "resources"};

}  // namespace

std::string_view toRaw(OverviewSection section) { return rawName(section, overviewNames); }
std::string_view toRaw(BatterySection section) { return rawName(section, batteryNames); }
std::string_view toRaw(HistorySection section) { return rawName(section, historyNames); }

template <>
std::optional<OverviewSection> fromRaw<OverviewSection>(std::string_view raw) {
    return caseNamed<OverviewSection>(raw, overviewNames);
}
template <>
std::optional<BatterySection> fromRaw<BatterySection>(std::string_view raw) {
    return caseNamed<BatterySection>(raw, batteryNames);
}
template <>
std::optional<HistorySection> fromRaw<HistorySection>(std::string_view raw) {
    return caseNamed<HistorySection>(raw, historyNames);
}

}  // namespace corvelle
