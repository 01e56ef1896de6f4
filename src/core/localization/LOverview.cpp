#include "localization/LOverview.h"

#include "localization/Localized.h"

namespace corvelle::L {

std::string batteryHabitsTitle() { return localized("Battery Habits", "Hábitos de batería"); }
std::string cpuUsageTitle() { return localized("CPU Usage", "Uso de CPU"); }
std::string cpuUsageSubtitle() {
    return localized("Real-time processor load across all cores", "Carga del procesador en tiempo real en todos los núcleos");
}
std::string collectingData() { return localized("Collecting data...", "Recolectando datos..."); }
std::string eCores() { return "E-Cores"; }
std::string pCores() { return "P-Cores"; }
std::string cores() { return localized("Cores", "Núcleos"); }
std::string noTemperatureSensors() {
    return localized("No temperature sensors on this computer", "Este equipo no tiene sensores de temperatura");
}
std::string thermalStateUnknown() {
    return localized("This computer does not report a thermal state", "Este equipo no informa de un estado térmico");
}
std::string noPowerMeter() {
    return localized("This computer has no power meter", "Este equipo no tiene medidor de energía");
}
std::string turnOnPowerMeter() {
    return localized("To measure power, start Corvelle's power service: sudo systemctl enable --now corvelle-power",
                     "Para medir la energía, inicia el servicio de energía de Corvelle: "
                     "sudo systemctl enable --now corvelle-power");
}
std::string measuredBy(PowerMeter meter) {
    switch (meter) {
        case PowerMeter::sysfs:
            return localized("Measured by the kernel's energy counters", "Medido con los contadores de energía del kernel");
        case PowerMeter::service:
            return localized("Measured by the kernel's energy counters, read by Corvelle's power service",
                             "Medido con los contadores de energía del kernel, leídos por el servicio de energía de Corvelle");
        case PowerMeter::apu:
            return localized("Measured by the processor's own meter, for the whole chip",
                             "Medido por el medidor propio del procesador, para todo el chip");
        case PowerMeter::none:
        case PowerMeter::locked: break;
    }
    return noPowerMeter();
}

std::string gaugeMemory() { return localized("Memory", "Memoria"); }
std::string gaugeDisk() { return localized("Disk", "Disco"); }
std::string gaugeNetwork() { return localized("Network", "Red"); }
std::string gaugePower() { return localized("Power", "Energía"); }
std::string diskRead(const std::string& rate) { return localized("R ", "L ") + rate; }
std::string diskWrite(const std::string& rate) { return localized("W ", "E ") + rate; }

std::string thermalStateTitle() { return localized("Thermal State", "Estado térmico"); }

std::string badgeAvgCPU() { return localized("Avg CPU", "CPU prom"); }
std::string badgeAvgPower() { return localized("Avg Power", "Energía prom"); }
std::string badgeData() { return localized("Data", "Datos"); }
std::string dayCount(std::int64_t days) {
    const std::string n = std::to_string(days);
    return days == 1 ? localized("1 day", "1 día") : localized(n + " days", n + " días");
}

std::string healthTrendTitle() { return localized("Battery Health Trend", "Tendencia de salud de batería"); }
std::string collectingHealthData() { return localized("Collecting health data...", "Recopilando datos de salud..."); }

std::string healthPredictionTitle() { return localized("Health Prediction", "Predicción de salud"); }
std::string degradationRateLabel() { return localized("Degradation rate:", "Tasa de degradación:"); }
std::string confidenceLabel() { return localized("Confidence:", "Confianza:"); }
std::string predictionPlaceholder() {
    return localized("Need 30+ days of health data for predictions. Keep Corvelle running and check back later.",
                     "Se necesitan 30+ días de datos de salud para predicciones. Mantén Corvelle activo y vuelve después.");
}

std::string graphicsTitle() { return localized("Graphics", "Gráficos"); }
std::string gpuIntegrated() { return localized("Integrated", "Integrada"); }
std::string gpuDiscrete() { return localized("Discrete", "Dedicada"); }
std::string gpuAwake() { return localized("Awake", "Despierta"); }
std::string gpuAsleep() { return localized("Asleep", "Dormida"); }
std::string gpuAlwaysOn() { return localized("Always on", "Siempre encendida"); }
std::string gpuAsleepNote() {
    return localized("It sleeps and draws no power.", "Está dormida y no consume energía.");
}
std::string gpuLoad(const std::string& percent) { return localized("Load ", "Carga ") + percent; }
std::string gpuMemory(const std::string& used, const std::string& total) {
    return used + localized(" of ", " de ") + total;
}
std::string gpuUsedBy(const std::string& programs) { return localized("Used by ", "En uso por ") + programs; }
std::string gpuMorePrograms(std::size_t count) {
    const std::string n = std::to_string(count);
    return localized(n + " more", n + " más");
}
std::string gpuNoPrograms() { return localized("No program has it open", "Ningún programa la tiene abierta"); }
std::string noGpu() { return localized("No graphics processor found", "No se encontró ningún procesador gráfico"); }

std::string usagePatternsTitle() { return localized("Usage Patterns", "Patrones de uso"); }
std::string clockHour12(int hour) {
    const std::string n = std::to_string(hour % 12 == 0 ? 12 : hour % 12);
    return hour >= 12 ? localized(n + " PM", n + " p. m.") : localized(n + " AM", n + " a. m.");
}
std::string notEnoughData() { return localized("Not enough data yet", "No hay suficientes datos"); }

std::string dragToReorder() { return localized("Drag to reorder", "Arrastra para reordenar"); }

}  // namespace corvelle::L
