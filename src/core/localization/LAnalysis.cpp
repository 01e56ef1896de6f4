#include "localization/LAnalysis.h"

#include "localization/Localized.h"

namespace corvelle::L {

std::string degradationRateName(DegradationRate rate) {
    switch (rate) {
        case DegradationRate::excellent: return localized("Excellent", "Excelente");
        case DegradationRate::normal: return localized("Normal", "Normal");
        case DegradationRate::accelerated: return localized("Accelerated", "Acelerada");
        case DegradationRate::severe: break;
    }
    return localized("Severe", "Severa");
}

std::string confidenceLevelName(ConfidenceLevel level) {
    switch (level) {
        case ConfidenceLevel::low: return localized("Low", "Baja");
        case ConfidenceLevel::moderate: return localized("Moderate", "Moderada");
        case ConfidenceLevel::high: break;
    }
    return localized("High", "Alta");
}

TipContent tipHabitRunningHot(const std::string& t) {
    return {localized("Running hot", "Funcionando caliente"),
            localized("Average CPU temperature is " + t + "°C. Heat accelerates battery aging.",
                      "La temperatura promedio de la CPU es " + t +
                          "°C. El calor acelera el envejecimiento de la batería.")};
}

TipContent tipHabitHeavyDischarge(const std::string& w) {
    return {localized("Heavy discharge rate", "Descarga pesada"),
            localized("Averaging " + w + " W discharge. Consider plugging in for heavy workloads.",
                      "Promedio de " + w + " W de descarga. Considera conectar el cargador para cargas pesadas.")};
}

std::string subScoreLabel(const std::string& label) {
    if (label == "Charging") return localized("Charging", "Carga");
    if (label == "Thermal") return localized("Thermal", "Térmico");
    if (label == "Discharge") return localized("Discharge", "Descarga");
    if (label == "Plug Balance") return localized("Plug Balance", "Equilibrio");
    return label;
}

std::string subScoreRating(double fraction) {
    if (fraction >= 0.9) return localized("Excellent", "Excelente");
    if (fraction >= 0.75) return localized("Good", "Bueno");
    if (fraction >= 0.5) return localized("Fair", "Regular");
    return localized("Poor", "Malo");
}

std::string subScoreReason(const std::string& label, bool isGood) {
    if (label == "Charging") {
        return isGood ? localized("Good charging pattern. You avoid charging to 100% frequently.",
                                  "Buen patrón de carga. Evitas cargar al 100% frecuentemente.")
                      : localized("Frequent charges to 100%. Try keeping between 20-80% for better health.",
                                  "Cargas al 100% frecuentes. Intenta mantener entre 20-80% para mejor salud.");
    }
    if (label == "Thermal") {
        return isGood ? localized("Your computer stays cool. Low exposure to excessive heat.",
                                  "Tu equipo se mantiene fresco. Baja exposición a calor excesivo.")
                      : localized("Frequent exposure to high temperatures. Check ventilation and heavy processes.",
                                  "Exposición frecuente a temperaturas altas. Revisa ventilación y procesos pesados.");
    }
    if (label == "Discharge") {
        return isGood ? localized("Shallow discharge cycles. Your battery wears less.",
                                  "Ciclos de descarga poco profundos. Tu batería se desgasta menos.")
                      : localized("Frequent deep discharges (below 20%). Try charging before getting that low.",
                                  "Descargas profundas frecuentes (bajo 20%). Intenta cargar antes de llegar tan bajo.");
    }
    if (label == "Plug Balance") {
        return isGood ? localized("Good balance between battery and plugged-in usage.",
                                  "Buen equilibrio entre uso con batería y conectado.")
                      : localized("Usage imbalance. The battery needs regular exercise.",
                                  "Desbalance de uso. La batería necesita ejercitarse regularmente.");
    }
    return "";
}

std::string usageProfileName(UsageProfile profile) {
    switch (profile) {
        case UsageProfile::light: return localized("Light", "Ligero");
        case UsageProfile::moderate: return localized("Moderate", "Moderado");
        case UsageProfile::powerUser: return localized("Power User", "Usuario intensivo");
        case UsageProfile::creative: return localized("Creative", "Creativo");
        case UsageProfile::developer: return localized("Developer", "Desarrollador");
        case UsageProfile::meeting: break;
    }
    return localized("Meeting Machine", "Máquina de reuniones");
}

std::string usageProfileDescription(UsageProfile profile) {
    switch (profile) {
        case UsageProfile::light:
            return localized("Browsing, documents, light tasks. Your computer barely breaks a sweat.",
                             "Navegación, documentos, tareas ligeras. Tu equipo apenas suda.");
        case UsageProfile::moderate:
            return localized("A balanced mix of apps and workloads. Typical daily driver.",
                             "Una mezcla equilibrada de apps y cargas de trabajo. Uso diario típico.");
        case UsageProfile::powerUser:
            return localized("Heavy multitasking, CPU-intensive workflows, lots of open apps.",
                             "Multitarea pesada, workflows intensivos de CPU, muchas apps abiertas.");
        case UsageProfile::creative:
            return localized("Design tools, video editing, GPU-heavy creative work.",
                             "Herramientas de diseño, edición de video, trabajo creativo con GPU.");
        case UsageProfile::developer:
            return localized("IDEs, compilers, terminals, containers. Building things.",
                             "IDEs, compiladores, terminales, contenedores. Construyendo cosas.");
        case UsageProfile::meeting: break;
    }
    return localized("Video calls dominate your day. Camera + mic + screen sharing.",
                     "Las videollamadas dominan tu día. Cámara + micro + pantalla compartida.");
}

}  // namespace corvelle::L
