#include "localization/LWindows.h"

#include "localization/Localized.h"
#include "util/Format.h"

namespace corvelle::L {

std::string sectionGeneral() { return "General"; }
std::string launchAtLogin() { return localized("Launch at login", "Abrir al iniciar sesión"); }
std::string pollingInterval() { return localized("Polling interval", "Intervalo de consulta"); }
std::string maxProcesses() { return localized("Max processes", "Procesos máximos"); }
std::string language() { return localized("Language", "Idioma"); }
std::string languageAuto() { return localized("Auto", "Automático"); }

std::string sectionMenuBar() { return localized("Tray & Top Bar Title", "Título en la bandeja y la barra superior"); }
std::string showCPU() { return localized("Show CPU %", "Mostrar CPU %"); }
std::string showTemperature() { return localized("Show temperature", "Mostrar temperatura"); }
std::string showBatteryTime() { return localized("Show battery time", "Mostrar tiempo de batería"); }
std::string showBatteryPercentage() { return localized("Show battery percentage", "Mostrar porcentaje de batería"); }
std::string showThermalState() { return localized("Show thermal state", "Mostrar estado térmico"); }
std::string topBarOffer() {
    return localized("Corvelle's GNOME Shell extension puts the icon and title in the top bar.",
                     "La extensión de GNOME Shell de Corvelle pone el icono y el título en la barra superior.");
}
std::string showInTopBar() { return localized("Show in Top Bar", "Mostrar en la barra superior"); }
std::string topBarOn() { return localized("Corvelle is in the top bar.", "Corvelle está en la barra superior."); }
std::string topBarRefused() {
    return localized("GNOME Shell did not turn the extension on. Are extensions allowed in the Extensions app?",
                     "GNOME Shell no activó la extensión. ¿Están permitidas las extensiones en la aplicación Extensiones?");
}

std::string sectionNotifications() { return localized("Notifications", "Notificaciones"); }
std::string energyAnomalyAlerts() { return localized("Energy anomaly alerts", "Alertas de consumo anómalo"); }
std::string thermalWarnings() { return localized("Thermal warnings", "Avisos térmicos"); }
std::string lowBatteryAlert() { return localized("Low battery alert", "Alerta de batería baja"); }
std::string batteryThreshold() { return localized("Battery threshold", "Umbral de batería"); }

std::string sectionPrivacy() { return localized("Privacy", "Privacidad"); }
std::string sendUsageData() { return localized("Send anonymous usage data", "Enviar datos de uso anónimos"); }
std::string sendUsageDataCaption() {
    return localized(
        "Sends anonymous system data (CPU, battery, thermal) to help diagnose bugs. No personal information.",
        "Envía datos anónimos del sistema (CPU, batería, thermal) para diagnosticar bugs. Sin información personal.");
}

std::string sectionUpdates() { return localized("Updates", "Actualizaciones"); }
std::string versionFootnote(const std::string& version) { return "Corvelle v" + version; }

std::string sectionCategory() { return localized("Category", "Categoría"); }
std::string categoryBug() { return "Bug"; }
std::string categoryFeature() { return localized("Feature Request", "Sugerencia"); }
std::string categoryGeneral() { return "General"; }
std::string sectionMessage() { return localized("Your message", "Tu mensaje"); }
std::string messagePlaceholder() {
    return localized("Describe the issue or your suggestion...", "Describe el problema o tu sugerencia...");
}
std::string messageCounter(std::int64_t count) { return formatString("%lld/1000", static_cast<long long>(count)); }
std::string includeSystemInfo() { return localized("Include system info (anonymous)", "Incluir info del sistema (anónima)"); }
std::string includeSystemInfoCaption() {
    return localized("CPU cores, thermal state, battery %, RAM, app and system version",
                     "Núcleos de CPU, estado térmico, % de batería, RAM, versión de la app y del sistema");
}
std::string feedbackThanks() { return localized("Thanks for your feedback!", "¡Gracias por tu comentario!"); }
std::string feedbackFailed() {
    return localized("Failed to send. Please try again.", "No se pudo enviar. Inténtalo de nuevo.");
}
std::string sending() { return localized("Sending...", "Enviando..."); }

}  // namespace corvelle::L
