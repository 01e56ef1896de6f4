#include "present/HistoryContent.h"

#include "analysis/RecordTotals.h"
#include "history/LocalCalendar.h"
#include "localization/L.h"
#include "localization/LHistoryBattery.h"
#include "localization/LOverview.h"
#include "util/Format.h"

#include <algorithm>
#include <numeric>

namespace corvelle::HistoryContent {
namespace {

std::string watts(double value) { return formatString("%.1f W", value); }
std::string wattHours(double value) { return formatString("%.1f Wh", value); }

Figure temperature(std::string name, double celsius) {
    if (!(celsius > 0)) return {std::move(name), "--", SystemColor::secondary};
    return {std::move(name), formatString("%.1f°C", celsius), temperatureColor(celsius)};
}

Energy message(std::string symbol, std::string text, std::string detail = {}) {
    Energy result;
    result.symbol = std::move(symbol);
    result.message = std::move(text);
    result.detail = std::move(detail);
    return result;
}

// Average, peak and energy of a period, in that order.
std::vector<Figure> periodFigures(double average, double peak, double energy) {
    return {{L::average(), watts(average), SystemColor::blue},
            {L::peak(), watts(peak), SystemColor::orange},
            {L::total(), wattHours(energy), SystemColor::green}};
}

std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> parts(1);
    for (char c : text) {
        if (c == separator) {
            parts.emplace_back();
        } else {
            parts.back() += c;
        }
    }
    return parts;
}

}  // namespace

SystemColor temperatureColor(double celsius) {
    if (celsius < 50) return SystemColor::green;
    if (celsius < 70) return SystemColor::primary;
    if (celsius < 85) return SystemColor::orange;
    return SystemColor::red;
}

std::vector<Figure> temperatures(const SystemStats& stats) {
    if (!stats.hasHybridCores()) {
        return {temperature("CPU", std::max(stats.pCoreTemp, stats.eCoreTemp)), temperature(L::gpu(), stats.gpuTemp)};
    }
    return {temperature(L::eCores(), stats.eCoreTemp), temperature(L::pCores(), stats.pCoreTemp),
            temperature(L::gpu(), stats.gpuTemp)};
}

std::vector<Figure> powerDraw(const SystemStats& stats) {
    const bool read = stats.hasPowerMeter();
    const auto figure = [read](std::string name, double value, SystemColor color) {
        return Figure{std::move(name), read && value > 0 ? watts(value) : "--", color};
    };
    return {figure("CPU", stats.cpuPowerWatts, SystemColor::blue), figure(L::gpu(), stats.gpuPowerWatts, SystemColor::green),
            figure(L::total(), stats.totalPowerWatts, SystemColor::orange)};
}

std::string powerDrawNote(const SystemStats& stats) { return stats.hasPowerMeter() ? L::measuredBy(stats.powerMeter) : ""; }

std::vector<Figure> resources(const SystemStats& stats) {
    std::vector<Figure> result{
        {L::gaugeMemory(), stats.memoryTotal > 0 ? bytesString(stats.memoryUsed) + " / " + bytesString(stats.memoryTotal) : "--"},
        {L::gaugeDisk(), L::diskRead(throughputString(stats.diskReadBytesPerSec)) + "  " +
                             L::diskWrite(throughputString(stats.diskWriteBytesPerSec))},
        {L::gaugeNetwork(), "↓ " + throughputString(stats.networkInBytesPerSec) + "  ↑ " +
                                throughputString(stats.networkOutBytesPerSec)}};
    if (!stats.fanSpeeds.empty()) {
        std::string speeds;
        for (auto speed : stats.fanSpeeds) speeds += (speeds.empty() ? "" : "  ") + unbroken(rpmString(speed));
        result.push_back({L::fans(), speeds});
    }
    return result;
}

Energy noPowerMeter(PowerMeter meter) {
    return message("bolt.slash", L::noPowerMeter(), meter == PowerMeter::locked ? L::turnOnPowerMeter() : "");
}

Energy hourEnergy(const std::vector<double>& samples) {
    if (samples.size() < 2) return message("bolt.badge.clock", L::waitingForPowerSamples(), L::keepOpenForLiveData());
    Energy result;
    result.shows = Energy::Shows::line;
    result.line = samples;
    const double sum = std::accumulate(samples.begin(), samples.end(), 0.0);
    result.figures = {{L::latest(), watts(samples.back()), SystemColor::orange},
                      {L::average(), watts(sum / static_cast<double>(samples.size())), SystemColor::blue},
                      {L::peak(), watts(*std::max_element(samples.begin(), samples.end())), SystemColor::red}};
    return result;
}

Energy dayEnergy(const DailySnapshot& today) {
    if (today.sampleCount < 1) return message("chart.xyaxis.line", L::noDataToday());
    if (!(today.power.totalEnergyWh > 0)) {
        return message("bolt.slash", L::energyNotYetAvailable(), L::keepOpenForPowerData());
    }
    Energy result;
    result.shows = Energy::Shows::bars;
    for (const auto& hour : today.hourlyFingerprints) result.bars.emplace_back(std::to_string(hour.hour) + "h", hour.avgWatts);
    result.figures = periodFigures(today.power.avgSystemWatts, today.power.peakSystemWatts, today.power.totalEnergyWh);
    return result;
}

Energy recordsEnergy(const std::vector<DailySnapshot>& records, EnergyRange range) {
    double total = 0, peak = 0;
    for (const auto& record : records) {
        total += record.power.totalEnergyWh;
        peak = std::max(peak, record.power.peakSystemWatts);
    }
    if (!(total > 0)) return message("chart.xyaxis.line", L::noHistoricalData());
    Energy result;
    result.shows = Energy::Shows::bars;
    for (const auto& record : records) {
        result.bars.emplace_back(range == EnergyRange::week ? weekdayLabel(record.date) : dayMonthLabel(record.date),
                                 record.power.totalEnergyWh);
    }
    const auto average = RecordTotals::powerMeanOf(records, [](const DailySnapshot& day) { return day.power.avgSystemWatts; });
    result.figures = periodFigures(average.value_or(0), peak, total);
    return result;
}

std::string weekdayLabel(const std::string& key) {
    if (const auto day = LocalCalendar::dayNumber(key)) {
        // 1 January 1970 was a Thursday.
        return L::shortWeekday(static_cast<int>(((*day + 4) % 7 + 7) % 7));
    }
    return key.size() < 2 ? key : key.substr(key.size() - 2);
}

std::string dayMonthLabel(const std::string& key) {
    const auto parts = split(key, '-');
    return parts.size() == 3 ? parts[2] + "/" + parts[1] : key;
}

}  // namespace corvelle::HistoryContent
