#include "present/OverviewContent.h"

#include "analysis/PeakHours.h"
#include "analysis/RecordTotals.h"
#include "localization/L.h"
#include "localization/LAnalysis.h"
#include "localization/LHistoryBattery.h"
#include "localization/LOverview.h"
#include "util/Format.h"

namespace corvelle::OverviewContent {
namespace {

std::string percent(double value) { return formatString("%.1f%%", value); }
std::string temperature(double value) { return value > 0 ? formatString("%.1f°C", value) : "--"; }

std::string profileSymbol(UsageProfile profile) {
    switch (profile) {
        case UsageProfile::light: return "leaf.fill";
        case UsageProfile::moderate: return "person.fill";
        case UsageProfile::powerUser: return "bolt.fill";
        case UsageProfile::creative: return "paintbrush.fill";
        case UsageProfile::developer: return "chevron.left.forwardslash.chevron.right";
        case UsageProfile::meeting: break;
    }
    return "video.fill";
}

SystemColor thermalColor(std::optional<ThermalLevel> level) {
    if (!level) return SystemColor::secondary;
    switch (*level) {
        case ThermalLevel::nominal: return SystemColor::green;
        case ThermalLevel::moderate: return SystemColor::yellow;
        case ThermalLevel::heavy: return SystemColor::orange;
        case ThermalLevel::trapping:
        case ThermalLevel::sleeping: break;
    }
    return SystemColor::red;
}

std::optional<CoreCluster> cluster(std::string name, double average, const std::vector<CoreUsage>& cores) {
    if (cores.empty()) return std::nullopt;
    CoreCluster result{std::move(name), percent(average), {}};
    for (const auto& core : cores) result.usages.push_back(core.usage);
    return result;
}

// The mean of a daily figure over the records, "--" without records.
template <typename Field>
std::string meanOf(const std::vector<DailySnapshot>& records, const char* format, Field field) {
    if (records.empty()) return "--";
    double sum = 0;
    for (const auto& record : records) sum += field(record);
    return formatString(format, sum / static_cast<double>(records.size()));
}

// The mean of the days' power over those that had power readings.
std::string averagePower(const std::vector<DailySnapshot>& records) {
    const auto mean = RecordTotals::powerMeanOf(records, [](const DailySnapshot& day) { return day.power.avgSystemWatts; });
    return mean ? formatString("%.1f W", *mean) : "--";
}

}  // namespace

Cpu cpu(const SystemStats& stats) {
    Cpu result{percent(stats.cpuTotalUsage), L::userCPU(percent(stats.cpuUserUsage)),
               L::systemCPU(percent(stats.cpuSystemUsage)), std::nullopt, std::nullopt};
    if (stats.hasHybridCores()) {
        result.eCores = cluster(L::eCores(), stats.eCoreAverage, stats.eCoreUsages);
        result.pCores = cluster(L::pCores(), stats.pCoreAverage, stats.pCoreUsages);
    } else {
        result.pCores = cluster(L::cores(), stats.cpuTotalUsage, stats.coreUsages);
    }
    return result;
}

Gauges gauges(const SystemStats& stats) {
    Gauges result;
    result.memory = "--";
    if (stats.memoryTotal > 0) {
        result.memoryPercent = static_cast<double>(stats.memoryUsed) / static_cast<double>(stats.memoryTotal) * 100.0;
        result.memory = bytesString(stats.memoryUsed) + " / " + bytesString(stats.memoryTotal);
    }
    result.diskRead = L::diskRead(throughputString(stats.diskReadBytesPerSec));
    result.diskWrite = L::diskWrite(throughputString(stats.diskWriteBytesPerSec));
    result.networkIn = "↓ " + throughputString(stats.networkInBytesPerSec);
    result.networkOut = "↑ " + throughputString(stats.networkOutBytesPerSec);
    result.power = stats.hasPowerReading() ? formatString("%.1f W", stats.totalPowerWatts) : "--";
    return result;
}

Thermal thermal(const SystemStats& stats) {
    const bool anyTemperature = stats.eCoreTemp > 0 || stats.pCoreTemp > 0;
    Thermal result{"thermometer.medium", thermalColor(stats.thermalLevel), {}, {}, {}, {}};
    if (const auto level = stats.thermalLevel) {
        result.symbol = symbolName(*level);
        result.level = L::thermalLevelLabel(*level);
        result.description = L::thermalDescription(*level);
    } else {
        result.description = anyTemperature ? L::thermalStateUnknown() : L::noTemperatureSensors();
    }
    if (stats.hasHybridCores()) {
        result.temperatures = L::eCores() + "  " + temperature(stats.eCoreTemp) + "     " + L::pCores() + "  " +
                              temperature(stats.pCoreTemp);
    } else if (anyTemperature) {
        result.temperatures = "CPU  " + temperature(std::max(stats.pCoreTemp, stats.eCoreTemp));
    }
    for (std::size_t i = 0; i < stats.fanSpeeds.size(); ++i) {
        const auto fan = L::fanIndex(static_cast<std::int64_t>(i) + 1) + ": " + rpmString(stats.fanSpeeds[i]);
        result.fans.push_back(unbroken(fan));
    }
    return result;
}

std::optional<Profile> profile(const std::optional<ProfileClassification>& classification,
                               const std::vector<DailySnapshot>& week) {
    if (!classification) return std::nullopt;
    Profile result{profileSymbol(classification->primary), L::usageProfileName(classification->primary),
                   L::usageProfileDescription(classification->primary), {}, {}};
    if (classification->secondary) result.runnerUp = L::alsoProfile(L::usageProfileName(*classification->secondary));
    result.badges = {
        {L::badgeAvgCPU(), meanOf(week, "%.0f%%", [](const DailySnapshot& day) { return day.cpu.avgTotal; })},
        {L::badgeAvgPower(), averagePower(week)},
        {L::badgeData(), L::dayCount(classification->daysAnalyzed)},
    };
    return result;
}

std::string noBatteryNote() { return L::noBattery() + ". " + L::noBatteryDetail(); }

std::optional<Habits> habits(const std::optional<HabitScore>& score, bool hasBattery) {
    if (!hasBattery) return Habits{std::nullopt, noBatteryNote()};
    if (!score) return std::nullopt;
    return Habits{score, {}};
}

HealthTrend healthTrend(const std::vector<BatteryHealthEntry>& entries, bool hasBattery) {
    if (!hasBattery) return {{}, {}, {}, noBatteryNote()};
    if (entries.size() < 2) return {{}, {}, {}, L::collectingHealthData()};
    HealthTrend result;
    for (const auto& entry : entries) result.values.push_back(entry.healthPercent);
    result.latest = percent(entries.back().healthPercent);
    result.trend = L::dayTrend(static_cast<std::int64_t>(entries.size()),
                               formatString("%+.1f%%", entries.back().healthPercent - entries.front().healthPercent));
    return result;
}

bool showsPrediction(std::size_t recordCount, const std::optional<BatteryHealthPrediction>& prediction) {
    return recordCount >= 7 && prediction && prediction->dataPointCount >= 7;
}

Prediction prediction(std::size_t recordCount, const std::optional<BatteryHealthPrediction>& prediction,
                      bool hasBattery) {
    if (!hasBattery) return {{}, noBatteryNote()};
    if (!showsPrediction(recordCount, prediction)) return {{}, L::predictionPlaceholder()};
    Prediction result{{L::degradationRateLabel() + " " + L::degradationRateName(prediction->degradationRate),
                       L::confidenceLabel() + " " + L::confidenceLevelName(prediction->confidenceLevel)},
                      {}};
    if (prediction->estimatedMonthsTo80) result.lines.push_back(L::batteryMayReach80(*prediction->estimatedMonthsTo80));
    return result;
}

std::string noPowerMeterNote(PowerMeter meter) {
    if (meter == PowerMeter::locked) return L::noPowerMeter() + ".\n" + L::turnOnPowerMeter();
    return L::noPowerMeter();
}

UsagePatterns usagePatterns(const std::vector<DailySnapshot>& week, bool isDetailWindow, bool twelveHour,
                            PowerMeter meter) {
    const auto peaks = findPeakHours(week);
    if (peaks.empty() || !(peaks.front().avgWatts > 0))
        return {{}, {}, measures(meter) ? L::notEnoughData() : noPowerMeterNote(meter)};
    UsagePatterns result;
    const double busiest = peaks.front().avgWatts;
    const std::size_t shown = std::min<std::size_t>(peaks.size(), isDetailWindow ? 24 : 3);
    for (std::size_t i = 0; i < shown; ++i) {
        result.rows.push_back({hourLabel(peaks[i].hour, twelveHour), busiest > 0 ? peaks[i].avgWatts / busiest : 0.0,
                               formatString("%.1f W", peaks[i].avgWatts)});
    }
    result.quietest = L::quietest(hourLabel(peaks.back().hour, twelveHour));
    return result;
}

std::string hourLabel(int hour, bool twelveHour) {
    return twelveHour ? L::clockHour12(hour) : formatString("%02d:00", hour);
}

}  // namespace corvelle::OverviewContent
