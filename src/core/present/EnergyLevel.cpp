#include "present/EnergyLevel.h"

#include "localization/LProcesses.h"

namespace corvelle {

EnergyLevel energyLevel(double energyImpact) {
    // Comparisons with NaN are false, so a value that is not a number falls through to low.
    if (energyImpact >= 50) return EnergyLevel::high;
    if (energyImpact >= 10) return EnergyLevel::moderate;
    return EnergyLevel::low;
}

std::string energyLevelLabel(EnergyLevel level) {
    switch (level) {
        case EnergyLevel::high: return L::energyHigh();
        case EnergyLevel::moderate: return L::energyModerate();
        case EnergyLevel::low: break;
    }
    return L::energyLow();
}

SystemColor energyLevelColor(EnergyLevel level) {
    switch (level) {
        case EnergyLevel::high: return SystemColor::red;
        case EnergyLevel::moderate: return SystemColor::orange;
        case EnergyLevel::low: break;
    }
    return SystemColor::green;
}

}  // namespace corvelle
