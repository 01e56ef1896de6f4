#include "app/views/tabs/ProcessesContent.h"

#include "app/views/components/EnergyLevel.h"
#include "localization/LProcesses.h"
#include "util/Format.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace corvelle::ProcessesContent {
namespace {

// A descending key; NaN would break the sort's ordering, so it counts as the lowest value.
double figure(double value) { return std::isnan(value) ? -std::numeric_limits<double>::infinity() : value; }

std::string lowerCased(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

}  // namespace

std::vector<ProcStats> sorted(std::vector<ProcStats> processes, SortOrder order) {
    const auto descending = [&](auto key) {
        std::stable_sort(processes.begin(), processes.end(),
                         [&](const ProcStats& a, const ProcStats& b) { return key(a) > key(b); });
    };
    switch (order) {
        case SortOrder::cpu: descending([](const ProcStats& p) { return figure(p.cpuPercent); }); break;
        case SortOrder::memory: descending([](const ProcStats& p) { return p.memoryBytes; }); break;
        case SortOrder::energy: descending([](const ProcStats& p) { return figure(p.energyImpact); }); break;
        case SortOrder::name: {
            // Lower-cased once per process rather than once per comparison.
            std::vector<std::pair<std::string, ProcStats>> keyed;
            keyed.reserve(processes.size());
            for (auto& process : processes) keyed.emplace_back(lowerCased(process.name), std::move(process));
            std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
            for (std::size_t i = 0; i < keyed.size(); ++i) processes[i] = std::move(keyed[i].second);
            break;
        }
    }
    return processes;
}

SystemColor cpuColor(double cpuPercent) {
    if (cpuPercent >= 0 && cpuPercent < 5) return SystemColor::secondary;
    if (cpuPercent >= 5 && cpuPercent < 25) return SystemColor::primary;
    if (cpuPercent >= 25 && cpuPercent < 50) return SystemColor::orange;
    return SystemColor::red;
}

Row row(const ProcStats& process) {
    const EnergyLevel level = energyLevel(process.energyImpact);
    const double fraction = std::isnan(process.energyImpact) ? 0.0 : std::clamp(process.energyImpact / 100.0, 0.0, 1.0);
    return {process.name,
            L::pidLabel(process.pid),
            formatString("%.1f%%", process.cpuPercent),
            cpuColor(process.cpuPercent),
            bytesString(process.memoryBytes),
            fraction,
            energyLevelLabel(level),
            energyLevelColor(level)};
}

}  // namespace corvelle::ProcessesContent
