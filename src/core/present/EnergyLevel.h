#pragma once

#include "util/SystemColor.h"

#include <string>

namespace corvelle {

// How heavily a process or an application weighs on the battery, from its energy impact.
enum class EnergyLevel { high, moderate, low };

// 50 or more: high; 10 or more: moderate; anything else, a value that is not a number included: low.
EnergyLevel energyLevel(double energyImpact);
// "High", "Moderate", "Low" in the current language.
std::string energyLevelLabel(EnergyLevel level);
// Red, orange, green.
SystemColor energyLevelColor(EnergyLevel level);

}  // namespace corvelle
