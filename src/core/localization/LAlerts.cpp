#include "localization/LAlerts.h"

#include "localization/Localized.h"

namespace corvelle::L {

std::string energyAlertTitle() { return localized("High Energy Usage", "Alto consumo de energía"); }

std::string energyAlertBody(const std::string& name, const std::string& cpu, const std::string& baseline) {
    return localized(name + " is using " + cpu + " CPU (normally " + baseline + ")",
                     name + " está usando " + cpu + " de CPU (normalmente " + baseline + ")");
}

}  // namespace corvelle::L
