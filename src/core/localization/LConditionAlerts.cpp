#include "localization/LConditionAlerts.h"

#include "localization/L.h"
#include "localization/Localized.h"

namespace corvelle::L {

std::string thermalAlertTitle() { return localized("Thermal Warning", "Aviso térmico"); }

std::string thermalAlertBody(ThermalLevel level) {
    const std::string state = thermalLevelLabel(level);
    return localized("Thermal state is " + state + ". Performance is reduced until your computer cools down.",
                     "El estado térmico es " + state + ". El rendimiento se reduce hasta que tu equipo se enfríe.");
}

std::string lowBatteryAlertTitle() { return localized("Low Battery", "Batería baja"); }

std::string lowBatteryAlertBody(const std::string& percent) {
    return localized("Battery at " + percent + ". Plug in your charger soon.",
                     "Batería al " + percent + ". Conecta el cargador pronto.");
}

}  // namespace corvelle::L
