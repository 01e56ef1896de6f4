#pragma once

#include <cstdint>
#include <string>

// The text catalogue, did-you-know facts. Arguments arrive formatted ("12.5 W", "40%") unless
// they are counts.
namespace corvelle::L {

std::string factCoreArch(std::int64_t eCores, std::int64_t pCores);
std::string factTopEnergy(const std::string& appName, const std::string& appWatts, const std::string& totalWatts);
std::string factCycles(std::int64_t count, const std::string& lifetimePct);
// What a chip temperature (°C) feels like.
std::string tempAnalogy(double celsius);
std::string factTempAnalogy(const std::string& temp, const std::string& analogy, bool hybrid);
// compressing: the kernel holds compressed memory (zswap/zram); otherwise the texts speak of the file cache.
std::string factMemoryLow(const std::string& pct, const std::string& usedGB, const std::string& totalGB,
                          bool compressing);
std::string factMemoryMedium(const std::string& pct, const std::string& usedGB, const std::string& totalGB,
                             bool compressing);
// High pressure, naming the application that holds the most memory.
std::string factMemoryHigh(const std::string& pct, const std::string& usedGB, const std::string& totalGB,
                           const std::string& topName, const std::string& topGB);
std::string factWattContext(const std::string& watts, const std::string& phones);
// How busy fans at this speed are.
std::string fanContextDescription(std::int32_t rpm);
std::string factFanContext(const std::string& context, const std::string& speed);
std::string factProcessCount(std::int64_t total, std::int64_t apps);
std::string factHabitScore(std::int64_t score, const std::string& grade);
std::string factProfile(const std::string& name, const std::string& description);
std::string factHealthContext(const std::string& healthPct, std::int64_t designMAh, std::int64_t currentMAh,
                              std::int64_t lostMAh);
// Stand-in for the top memory user when there are no applications; the same word in both languages.
std::string factUnknownApp();

}  // namespace corvelle::L
