#include "localization/LHistoryBattery.h"

#include "localization/Localized.h"

#include <cstddef>

namespace corvelle::L {

std::string temperaturesTitle() { return localized("Temperatures", "Temperaturas"); }
std::string powerDrawTitle() { return localized("Power Draw", "Consumo"); }
std::string resourcesTitle() { return localized("System Resources", "Recursos del sistema"); }
std::string gpu() { return "GPU"; }
std::string total() { return "Total"; }
std::string fans() { return localized("Fans", "Ventiladores"); }

std::string energyTitle() { return localized("Energy", "Energía"); }
std::string energyRangeName(int range) {
    switch (range) {
        case 0: return localized("Hour", "Hora");
        case 1: return localized("Day", "Día");
        case 2: return localized("Week", "Semana");
        default: return localized("All", "Todo");
    }
}
std::string latest() { return localized("Latest", "Actual"); }
std::string average() { return localized("Avg", "Prom"); }
std::string peak() { return localized("Peak", "Pico"); }
std::string waitingForPowerSamples() { return localized("Waiting for power samples...", "Esperando muestras de energía..."); }
std::string keepOpenForLiveData() {
    return localized("Keep Corvelle open to collect real-time data",
                     "Mantén Corvelle abierto para recolectar datos en tiempo real");
}
std::string noDataToday() { return localized("No data for today yet", "Sin datos para hoy"); }
std::string energyNotYetAvailable() {
    return localized("Energy data not yet available", "Datos de energía aún no disponibles");
}
std::string keepOpenForPowerData() {
    return localized("Keep Corvelle open for a few minutes to collect power data",
                     "Mantén Corvelle abierto unos minutos para recolectar datos de energía");
}
std::string noHistoricalData() { return localized("No historical data yet", "Sin datos históricos"); }
std::string shortWeekday(int day) {
    static constexpr const char* english[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static constexpr const char* spanish[] = {"dom", "lun", "mar", "mié", "jue", "vie", "sáb"};
    const auto index = static_cast<std::size_t>(((day % 7) + 7) % 7);
    return localized(english[index], spanish[index]);
}

std::string calculating() { return localized("Calculating...", "Calculando..."); }
std::string timeRemaining() { return localized("Time remaining", "Tiempo restante"); }
std::string usageVsNormal() { return localized("Usage vs Normal", "Uso vs normal"); }
std::string systemPower() { return localized("System", "Sistema"); }
std::string normal() { return localized("Normal", "Normal"); }
std::string learningNormalUse() {
    return localized("Learning your normal use on battery...", "Aprendiendo tu uso normal con batería...");
}
std::string batteryHealthTitle() { return localized("Battery Health", "Salud de la batería"); }
std::string topEnergyUsersTitle() { return localized("Top Energy Users", "Mayor consumo"); }
std::string noProcessData() { return localized("No process data available", "No hay datos de procesos"); }
std::string noBattery() { return localized("No battery", "Sin batería"); }
std::string noBatteryDetail() {
    return localized("This computer runs on external power only.", "Este equipo funciona solo con alimentación externa.");
}

}  // namespace corvelle::L
