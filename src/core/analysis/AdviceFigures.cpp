#include "analysis/AdviceFigures.h"

#include "util/Format.h"

#include <algorithm>

namespace corvelle::AdviceFigures {

double gigabytes(std::uint64_t bytes) { return static_cast<double>(bytes) / 1073741824.0; }

std::string wattsText(double watts) { return formatString("%.1f W", watts); }

std::string wholePercentText(double percent) { return formatString("%.0f%%", percent); }

double machineShare(double perCorePercent, std::size_t coreCount) {
    return std::min(perCorePercent / static_cast<double>(std::max<std::size_t>(coreCount, 1)), 100.0);
}

const AppGroup* largestMemoryUser(const std::vector<AppGroup>& groups) {
    const auto largest = std::max_element(groups.begin(), groups.end(), [](const AppGroup& a, const AppGroup& b) {
        return a.totalMemory < b.totalMemory;
    });
    return largest == groups.end() ? nullptr : &*largest;
}

std::optional<std::int32_t> highestFanSpeed(const std::vector<std::int32_t>& speeds) {
    if (speeds.empty()) return std::nullopt;
    return *std::max_element(speeds.begin(), speeds.end());
}

}  // namespace corvelle::AdviceFigures
