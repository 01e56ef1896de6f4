#pragma once

#include <cstdint>
#include <string>

// The text catalogue, the panel's processes tab and the energy levels it shares with the battery tab.
namespace corvelle::L {

std::string processColumn();
std::string cpuColumn();
std::string memoryColumn();
std::string energyColumn();
// "PID 4021"
std::string pidLabel(std::int32_t pid);
// The one row that stands for every kernel thread.
std::string linuxKernel();

std::string energyHigh();
std::string energyModerate();
std::string energyLow();

}  // namespace corvelle::L
