#include "app/views/components/EnergyLevel.h"

#include "localization/LHistoryBattery.h"

namespace corvelle {

EnergyLevel energyLevel(double impact) {
    if (impact >= 50) return EnergyLevel::high;
    if (impact >= 10) return EnergyLevel::moderate;
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
