#pragma once

#include "util/RawValue.h"

#include <array>
#include <string_view>

namespace corvelle {

// The reorderable sections of the overview, battery and history tabs. Raw value = case name;
// declaration order is the default display order.
enum class OverviewSection {
    habitScore, cpu, cpuHistory, systemGauges, thermal, graphics, profile, healthTrend, prediction, usagePatterns
};
enum class BatterySection { batteryStatus, usageComparison, health, topEnergyUsers, batteryCare };
enum class HistorySection { cpuHistory, energyHistory, temperatures, powerDraw, resources };

inline constexpr std::array<OverviewSection, 10> allOverviewSections{
    OverviewSection::habitScore,  OverviewSection::cpu,        OverviewSection::cpuHistory,
    OverviewSection::systemGauges, OverviewSection::thermal,   OverviewSection::graphics,
    OverviewSection::profile,     OverviewSection::healthTrend, OverviewSection::prediction,
    OverviewSection::usagePatterns};
inline constexpr std::array<BatterySection, 5> allBatterySections{
    BatterySection::batteryStatus, BatterySection::usageComparison, BatterySection::health,
    BatterySection::topEnergyUsers, BatterySection::batteryCare};
inline constexpr std::array<HistorySection, 5> allHistorySections{
    HistorySection::cpuHistory, HistorySection::energyHistory, HistorySection::temperatures,
    HistorySection::powerDraw, HistorySection::resources};

// All cases of a section enumeration in declaration order.
template <typename Section>
constexpr auto allCases();
template <>
constexpr auto allCases<OverviewSection>() { return allOverviewSections; }
template <>
constexpr auto allCases<BatterySection>() { return allBatterySections; }
template <>
constexpr auto allCases<HistorySection>() { return allHistorySections; }

std::string_view toRaw(OverviewSection section);
std::string_view toRaw(BatterySection section);
std::string_view toRaw(HistorySection section);
template <>
std::optional<OverviewSection> fromRaw<OverviewSection>(std::string_view raw);
template <>
std::optional<BatterySection> fromRaw<BatterySection>(std::string_view raw);
template <>
std::optional<HistorySection> fromRaw<HistorySection>(std::string_view raw);

}  // namespace corvelle
