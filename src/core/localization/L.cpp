#include "localization/L.h"

#include "localization/Localized.h"
#include "util/Format.h"

namespace corvelle::L {
namespace {
std::string n(std::int64_t value) { return std::to_string(value); }
}  // namespace

std::string chargingWithWatts(const std::string& w) { return localized("Charging · ", "Cargando · ") + w; }
std::string chargingWithAdapterWatts(const std::string& w, const std::string& a) {
    return localized("Charging · " + w + " (adapter " + a + ")", "Cargando · " + w + " (adaptador " + a + ")");
}
std::string pluggedInWithWatts(const std::string& w) { return localized("Plugged In · ", "Conectado · ") + w; }
std::string remaining(const std::string& t) { return t + localized(" remaining", " restante"); }
std::string drawing(const std::string& w) { return localized("Drawing ", "Consumo: ") + w; }
std::string cycles(std::int64_t count) { return "(" + n(count) + localized(" cycles)", " ciclos)"); }
std::string cyclesLabel(std::int64_t count) { return n(count) + localized(" cycles", " ciclos"); }
std::string userCPU(const std::string& s) { return localized("User ", "Usuario ") + s; }
std::string systemCPU(const std::string& s) { return localized("System ", "Sistema ") + s; }
std::string secondsAgo(std::int64_t seconds) { return localized(n(seconds) + "s ago", "hace " + n(seconds) + "s"); }
std::string alsoProfile(const std::string& s) { return localized("Also: ", "También: ") + s; }
std::string dayTrend(std::int64_t days, const std::string& change) {
    return localized(n(days) + "-day trend: " + change, "Tendencia de " + n(days) + " días: " + change);
}
std::string batteryMayReach80(std::int64_t months) {
    return localized("Battery may reach 80% in ~" + n(months) + " months",
                     "La batería podría llegar al 80% en ~" + n(months) + " meses");
}
std::string quietest(const std::string& s) { return localized("Quietest: ", "Más tranquilo: ") + s; }

std::string energyRangeDesc(std::int64_t range, std::int64_t pollingInterval) {
    switch (range) {
        case 0:
            return localized("Live power draw sampled every " + n(pollingInterval) + "s while Corvelle is open",
                             "Consumo en tiempo real cada " + n(pollingInterval) + "s mientras Corvelle está abierto");
        case 1:
            return localized("Average watts per hour for today, with daily totals",
                             "Watts promedio por hora hoy, con totales diarios");
        case 2:
            return localized("Total energy consumed each day over the last 7 days",
                             "Energía total consumida cada día en los últimos 7 días");
        default:
            return localized("Total energy consumed each day over all recorded history (up to 90 days)",
                             "Energía total consumida cada día en todo el historial (hasta 90 días)");
    }
}

std::string thermalLevelLabel(ThermalLevel level) {
    switch (level) {
        case ThermalLevel::moderate: return localized("Fair", "Moderado");
        case ThermalLevel::heavy: return localized("Serious", "Grave");
        case ThermalLevel::trapping: return localized("Critical", "Crítico");
        case ThermalLevel::sleeping: return localized("Emergency", "Emergencia");
        case ThermalLevel::nominal: break;
    }
    return localized("Nominal", "Normal");
}

std::string thermalDescription(ThermalLevel level) {
    switch (level) {
        case ThermalLevel::moderate:
            return localized("System is warm. Performance may be slightly reduced.",
                             "El sistema está caliente. El rendimiento puede reducirse ligeramente.");
        case ThermalLevel::heavy:
            return localized("System is hot. Performance is being throttled.",
                             "El sistema está caliente. Se está limitando el rendimiento.");
        case ThermalLevel::trapping:
            return localized("System is critically hot. Heavy throttling in effect.",
                             "El sistema está críticamente caliente. Limitación severa activa.");
        case ThermalLevel::sleeping:
            return localized("Emergency thermal state. System may shut down.",
                             "Estado térmico de emergencia. El sistema podría apagarse.");
        case ThermalLevel::nominal: break;
    }
    return localized("System is running normally.", "El sistema funciona normalmente.");
}

std::string fanIndex(std::int64_t index) { return localized("Fan ", "Ventilador ") + n(index); }

std::string batteryStateCharging() { return localized("Charging", "Cargando"); }
std::string batteryStatePluggedIn() { return localized("Plugged In", "Conectado"); }
std::string batteryStateBattery() { return localized("Battery", "Batería"); }

std::string chargeLevelLabel(ChargeLevel level) {
    switch (level) {
        case ChargeLevel::critical: return localized("Critical", "Crítica");
        case ChargeLevel::low: return localized("Low", "Baja");
        case ChargeLevel::normal: return localized("Normal", "Normal");
        case ChargeLevel::high: return localized("High", "Alta");
        case ChargeLevel::full: break;
    }
    return localized("Full", "Llena");
}

std::string chargeText(const std::optional<double>& percent, const std::optional<ChargeLevel>& level) {
    if (percent) return formatString("%.0f%%", *percent);
    return level ? chargeLevelLabel(*level) : "--";
}

}  // namespace corvelle::L
