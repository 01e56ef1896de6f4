#pragma once

#include "util/RawValue.h"

#include <array>
#include <string_view>

namespace corvelle {

// The glossary of technical terms shown beside metrics and in the quick guide. Raw value =
// case name; declaration order is the display order. Texts: L::explainerSimple/Detailed.
enum class Explainer {
    cpu, cpuUsage, eCore, pCore, process, pid, energyImpact, memory, memPressure, diskIO, network,
    watts, wattHours, batteryPercent, battHealth, cycleCount, charging, timeRemaining, baseline,
    temperature, thermal, throttling, fanRPM, usageProfile, habitScore, degradationRate
};

inline constexpr std::size_t explainerCount = 26;
static_assert(static_cast<std::size_t>(Explainer::degradationRate) + 1 == explainerCount);

// Every case in declaration order.
inline constexpr std::array<Explainer, explainerCount> allExplainers = [] {
    std::array<Explainer, explainerCount> cases{};
    for (std::size_t i = 0; i < explainerCount; ++i) cases[i] = static_cast<Explainer>(i);
    return cases;
}();

std::string_view toRaw(Explainer explainer);
template <>
std::optional<Explainer> fromRaw<Explainer>(std::string_view raw);

// The term's symbol name.
std::string_view icon(Explainer explainer);

}  // namespace corvelle
