#pragma once

#include "util/SystemColor.h"

#include <string>

namespace corvelle {

// How much energy a process or an application group uses, from its energy impact.
enum class EnergyLevel { high, moderate, low };

// High from 50, moderate from 10, low below (and for a value that is not a number).
EnergyLevel energyLevel(double impact);
std::string energyLevelLabel(EnergyLevel level);
// Red, orange, green.
SystemColor energyLevelColor(EnergyLevel level);

}  // namespace corvelle
