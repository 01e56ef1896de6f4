#pragma once

#include "model/PowerMeter.h"

#include <cstddef>
#include <cstdint>
#include <string>

// The text catalogue, the panel's overview tab and the cards and charts it shares with the
// other tabs. Figures arrive formatted.
namespace corvelle::L {

std::string batteryHabitsTitle();
// The live CPU history card, also on the history tab.
std::string cpuUsageTitle();
std::string cpuUsageSubtitle();
std::string collectingData();
std::string eCores();
std::string pCores();
// The cores of a CPU with one kind of core.
std::string cores();
std::string noTemperatureSensors();
// A machine with temperatures but no thermal state.
std::string thermalStateUnknown();
// In place of power figures and charts on a machine without an energy counter.
std::string noPowerMeter();
// Under it where the counters exist but only the power service may read them.
std::string turnOnPowerMeter();
// Which meter the power figures come from.
std::string measuredBy(PowerMeter meter);

std::string gaugeMemory();
std::string gaugeDisk();
std::string gaugeNetwork();
std::string gaugePower();
// Disk rates, read and written.
std::string diskRead(const std::string& rate);
std::string diskWrite(const std::string& rate);

std::string thermalStateTitle();

std::string badgeAvgCPU();
std::string badgeAvgPower();
std::string badgeData();
std::string dayCount(std::int64_t days);

std::string healthTrendTitle();
std::string collectingHealthData();

std::string healthPredictionTitle();
std::string degradationRateLabel();
std::string confidenceLabel();
std::string predictionPlaceholder();

std::string usagePatternsTitle();
// An hour of the day, 0 to 23, on a 12-hour clock: "3 PM".
std::string clockHour12(int hour);
std::string notEnoughData();

// The graphics card.
std::string graphicsTitle();
std::string gpuIntegrated();
std::string gpuDiscrete();
std::string gpuAwake();
std::string gpuAsleep();
std::string gpuAlwaysOn();
// What a sleeping GPU costs, in place of its figures.
std::string gpuAsleepNote();
std::string gpuLoad(const std::string& percent);
std::string gpuMemory(const std::string& used, const std::string& total);
// The programs using a GPU, joined: "Used by Steam 31%, Firefox 2% and 3 more".
std::string gpuUsedBy(const std::string& programs);
std::string gpuMorePrograms(std::size_t count);
std::string gpuNoPrograms();
std::string noGpu();

// Tooltip of a section while sections can be reordered.
std::string dragToReorder();

}  // namespace corvelle::L
