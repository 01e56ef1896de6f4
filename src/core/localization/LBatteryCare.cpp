#include "localization/LBatteryCare.h"

#include "localization/Localized.h"

namespace corvelle::L {
namespace {
std::string percent(int value) { return std::to_string(value) + "%"; }
}  // namespace

std::string batteryCareTitle() { return localized("Battery Care", "Cuidado de la batería"); }
std::string batteryCareUnsupported() {
    return localized("This computer offers no charge limit or power modes to change.",
                     "Este equipo no ofrece límite de carga ni modos de energía que cambiar.");
}

std::string chargeLimit() { return localized("Charge limit", "Límite de carga"); }
std::string chargeLimitPreset(int value) {
    if (value >= 100) return localized("100% (no limit)", "100% (sin límite)");
    return percent(value);
}
std::string chargeLimitCustom() { return localized("Custom", "Personalizado"); }
std::string chargeLimitState(int end, std::optional<int> start) {
    if (!start) return localized("Charging stops at " + percent(end), "La carga se detiene al " + percent(end));
    return localized("Charging stops at " + percent(end) + " and resumes below " + percent(*start),
                     "La carga se detiene al " + percent(end) + " y se reanuda por debajo del " + percent(*start));
}
std::string chargeLimitApplying() { return localized("Applying the limit…", "Aplicando el límite…"); }
std::string chargeLimitNotAuthorized() {
    return localized("The limit was not changed: permission was not given.",
                     "El límite no cambió: no se concedió el permiso.");
}
std::string chargeLimitFailed(const std::string& detail) {
    const std::string reason = detail.empty() ? "" : " (" + detail + ")";
    return localized("The limit could not be changed" + reason + ".", "No se pudo cambiar el límite" + reason + ".");
}

std::string powerMode() { return localized("Power mode", "Modo de energía"); }
std::string powerModeName(const std::string& profile) {
    if (profile == "power-saver") return localized("Power Saver", "Ahorro de energía");
    if (profile == "balanced") return localized("Balanced", "Equilibrado");
    if (profile == "performance") return localized("Performance", "Rendimiento");
    return profile;
}

std::string tipPowerModeExtra() {
    return localized(" You can switch to Power Saver in the Battery tab.",
                     " Puedes cambiar a Ahorro de energía en la pestaña Batería.");
}
std::string tipChargeLimitExtra() {
    return localized(" You can set an 80% charge limit in the Battery tab.",
                     " Puedes fijar un límite de carga del 80% en la pestaña Batería.");
}

}  // namespace corvelle::L
