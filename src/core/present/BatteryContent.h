#pragma once

#include "model/SystemStats.h"
#include "present/EnergyGroupRowContent.h"
#include "util/SystemColor.h"

#include <cstddef>
#include <string>
#include <vector>

// What the battery tab's cards show, computed from the monitor's published snapshot without any
// display.
namespace corvelle::BatteryContent {

// A snapshot without any battery reading: the machine has no battery (or it cannot be read).
bool hasBattery(const SystemStats& stats);

struct Status {
    std::string charge;  // "%.0f%%"
    std::string symbol;
    SystemColor color = SystemColor::green;
    bool pluggedIn = false;
    std::string chargingWatts;  // empty unless charging
    // On battery: the time left, or L::calculating while none is known. Empty while plugged in,
    // where no estimate is made.
    std::string timeRemaining;
    bool operator==(const Status&) const = default;
};
Status status(const SystemStats& stats);

struct Usage {
    std::string present;  // the battery draw, "%.1f W"
    std::string normal;   // its long-term average, "--" before there is one
    std::string ratio;    // L::normal below 1.5 times, else "%.1fx"; empty before there is an average
    SystemColor color = SystemColor::green;
    bool operator==(const Usage&) const = default;
};
Usage usage(const SystemStats& stats);

struct Health {
    std::string value;  // "%.0f%%"
    SystemColor color = SystemColor::green;
    bool operator==(const Health&) const = default;
};
Health health(const SystemStats& stats);

inline constexpr std::size_t topEnergyUserCount = 8;
// The first groups (the monitor sorts them by CPU, busiest first), each scaled to the first.
std::vector<EnergyGroupRowContent> topEnergyUsers(const std::vector<AppGroup>& groups);

}  // namespace corvelle::BatteryContent
