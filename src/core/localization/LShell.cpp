#include "localization/LShell.h"

#include "localization/Localized.h"

namespace corvelle::L {

std::string statusItemDescription() { return localized("Corvelle System Monitor", "Monitor del sistema Corvelle"); }
std::string menuOpen() { return localized("Open Corvelle", "Abrir Corvelle"); }
std::string menuSettings() { return localized("Settings\u2026", "Ajustes\u2026"); }
std::string menuCheckForUpdates() { return localized("Check for Updates\u2026", "Buscar actualizaciones\u2026"); }
std::string menuQuit() { return localized("Quit Corvelle", "Salir de Corvelle"); }
std::string settingsWindowTitle() { return localized("Corvelle Settings", "Ajustes de Corvelle"); }
std::string feedbackWindowTitle() { return localized("Send Feedback", "Enviar comentarios"); }
std::string topBarHintTitle() { return localized("Corvelle can go in the top bar", "Corvelle puede ir en la barra superior"); }
std::string topBarHintBody() {
    return localized("GNOME shows no tray, so Corvelle shows a small window instead. To see it in the top bar, "
                     "open Corvelle's settings and choose Show in Top Bar.",
                     "GNOME no muestra bandeja, así que Corvelle muestra una pequeña ventana. Para verlo en la barra "
                     "superior, abre los ajustes de Corvelle y elige Mostrar en la barra superior.");
}

std::string reorderSections() { return localized("Reorder sections", "Reordenar secciones"); }
std::string sendFeedback() { return localized("Send feedback", "Enviar comentarios"); }
std::string settings() { return localized("Settings", "Ajustes"); }
std::string openLargerWindow() { return localized("Open in larger window", "Abrir en ventana grande"); }

std::string tabTips() { return localized("Tips", "Consejos"); }
std::string tabOverview() { return localized("Overview", "Resumen"); }
std::string tabProcesses() { return localized("Processes", "Procesos"); }
std::string tabBattery() { return localized("Battery", "Batería"); }
std::string tabHistory() { return localized("History", "Historia"); }
std::string unknownTab() { return localized("Unknown tab", "Pestaña desconocida"); }

std::string widgetBattery() { return localized("Battery", "Batería"); }
std::string widgetCPU() { return "CPU"; }
std::string widgetTemperature() { return localized("Temperature", "Temperatura"); }
std::string widgetPower() { return localized("Power", "Energía"); }
std::string widgetMemory() { return localized("Memory", "Memoria"); }
std::string removeWidget() { return localized("Remove", "Quitar"); }

std::string updateAvailableTitle() { return localized("Update available", "Actualización disponible"); }
std::string updateAvailable(const std::string& version, const std::string& current) {
    return localized("Corvelle " + version + " is available. You have " + current + ".",
                     "Corvelle " + version + " está disponible. Tienes la " + current + ".");
}
std::string upToDateTitle() { return localized("You're up to date", "Estás al día"); }
std::string upToDate(const std::string& current) {
    return localized("Corvelle " + current + " is the newest version.",
                     "Corvelle " + current + " es la versión más reciente.");
}
std::string updateFailedTitle() { return localized("Couldn't check for updates", "No se pudo buscar actualizaciones"); }
std::string updateServerUnreachable(const std::string& reason) {
    return localized("The update server could not be reached (" + reason + ").",
                     "No se pudo contactar con el servidor de actualizaciones (" + reason + ").");
}
std::string updateFeedUnreadable() {
    return localized("The update information could not be read.", "No se pudo leer la información de actualización.");
}
std::string download() { return localized("Download", "Descargar"); }

}  // namespace corvelle::L
