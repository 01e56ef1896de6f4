#include "model/Explainer.h"

#include "util/EnumNames.h"

namespace corvelle {
namespace {

struct Entry {
    std::string_view name;
    std::string_view icon;
};

// Indexed by the case's position.
constexpr std::array<Entry, explainerCount> entries{{
    {"cpu", "cpu"},
    {"cpuUsage", "gauge.with.dots.needle.67percent"},
    {"eCore", "hare"},
    {"pCore", "bolt.fill"},
    {"process", "gearshape.2"},
    {"pid", "number"},
    {"energyImpact", "battery.75percent"},
    {"memory", "memorychip"},
    {"memPressure", "gauge.medium"},
    {"diskIO", "internaldrive"},
    {"network", "network"},
    {"watts", "bolt.fill"},
    {"wattHours", "bolt.badge.clock"},
    {"batteryPercent", "battery.100percent"},
    {"battHealth", "heart.fill"},
    {"cycleCount", "arrow.triangle.2.circlepath"},
    {"charging", "bolt.fill"},
    {"timeRemaining", "clock"},
    {"baseline", "chart.line.flattrend.xyaxis"},
    {"temperature", "thermometer.medium"},
    {"thermal", "thermometer.sun.fill"},
    {"throttling", "tortoise.fill"},
    {"fanRPM", "fanblades.fill"},
    {"usageProfile", "person.fill.viewfinder"},
    {"habitScore", "star.fill"},
    {"degradationRate", "chart.line.downtrend.xyaxis"},
}};

constexpr std::array<std::string_view, explainerCount> names = [] {
    std::array<std::string_view, explainerCount> result{};
    for (std::size_t i = 0; i < explainerCount; ++i) result[i] = entries[i].name;
    return result;
}();

}  // namespace

std::string_view toRaw(Explainer explainer) { return rawName(explainer, names); }

template <>
std::optional<Explainer> fromRaw<Explainer>(std::string_view raw) {
    return caseNamed<Explainer>(raw, names);
}

std::string_view icon(Explainer explainer) { return entries[static_cast<std::size_t>(explainer)].icon; }

}  // namespace corvelle
