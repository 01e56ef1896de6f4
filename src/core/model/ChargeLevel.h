#pragma once

#include <optional>
#include <string_view>

namespace corvelle {

// The coarse charge some batteries report instead of a percentage (the kernel's capacity_level).
enum class ChargeLevel { critical, low, normal, high, full };

// The kernel's words: "Critical", "Low", "Normal", "High", "Full"; anything else ("Unknown") is none.
constexpr std::optional<ChargeLevel> chargeLevelFromRaw(std::string_view raw) {
    if (raw == "Critical") return ChargeLevel::critical;
    if (raw == "Low") return ChargeLevel::low;
    if (raw == "Normal") return ChargeLevel::normal;
    if (raw == "High") return ChargeLevel::high;
    if (raw == "Full") return ChargeLevel::full;
    return std::nullopt;
}

constexpr std::string_view toRaw(ChargeLevel level) {
    switch (level) {
        case ChargeLevel::critical: return "Critical";
        case ChargeLevel::low: return "Low";
        case ChargeLevel::normal: return "Normal";
        case ChargeLevel::high: return "High";
        case ChargeLevel::full: break;
    }
    return "Full";
}

// Low and Critical are what a low-battery warning answers to.
constexpr bool isLow(ChargeLevel level) { return level == ChargeLevel::critical || level == ChargeLevel::low; }

}  // namespace corvelle
