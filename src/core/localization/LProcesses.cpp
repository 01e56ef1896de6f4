#include "localization/LProcesses.h"

#include "localization/Localized.h"

namespace corvelle::L {

std::string processColumn() { return localized("Process", "Proceso"); }
std::string cpuColumn() { return "CPU"; }
std::string memoryColumn() { return localized("Memory", "Memoria"); }
std::string energyColumn() { return localized("Energy", "Energía"); }
std::string linuxKernel() { return localized("Linux kernel", "Kernel de Linux"); }
std::string pidLabel(std::int32_t pid) { return "PID " + std::to_string(pid); }

std::string energyHigh() { return localized("High", "Alto"); }
std::string energyModerate() { return localized("Moderate", "Moderado"); }
std::string energyLow() { return localized("Low", "Bajo"); }

}  // namespace corvelle::L
