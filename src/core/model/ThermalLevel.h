#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace corvelle {

// Five-step thermal pressure. The raw value is the pressure state number the system reports.
enum class ThermalLevel : int { nominal = 0, moderate = 33, heavy = 50, trapping = 70, sleeping = 90 };

constexpr int toRaw(ThermalLevel level) { return static_cast<int>(level); }

// 33, 50, 70 and 90 name their levels; every other state, 0 included, is nominal.
constexpr ThermalLevel thermalLevelFromState(long long state) {
    switch (state) {
        case 33: return ThermalLevel::moderate;
        case 50: return ThermalLevel::heavy;
        case 70: return ThermalLevel::trapping;
        case 90: return ThermalLevel::sleeping;
        default: return ThermalLevel::nominal;
    }
}

// The level's case name, as scripts and status bars read it.
constexpr std::string_view caseName(ThermalLevel level) {
    switch (level) {
        case ThermalLevel::moderate: return "moderate";
        case ThermalLevel::heavy: return "heavy";
        case ThermalLevel::trapping: return "trapping";
        case ThermalLevel::sleeping: return "sleeping";
        case ThermalLevel::nominal: break;
    }
    return "nominal";
}

// The level's display symbol, also sent as text by feedback and telemetry.
constexpr std::string_view symbolName(ThermalLevel level) {
    switch (level) {
        case ThermalLevel::moderate: return "exclamationmark.triangle.fill";
        case ThermalLevel::heavy: return "flame.fill";
        case ThermalLevel::trapping: return "exclamationmark.octagon.fill";
        case ThermalLevel::sleeping: return "xmark.octagon.fill";
        case ThermalLevel::nominal: break;
    }
    return "checkmark.circle.fill";
}

// The symbol of a level that may be unknown, as feedback and telemetry send it.
inline std::string thermalSymbol(std::optional<ThermalLevel> level) {
    return level ? std::string(symbolName(*level)) : "unknown";
}

}  // namespace corvelle
