#include "localization/LFacts.h"

#include "localization/Localized.h"

namespace corvelle::L {
std::string factCoreArch(std::int64_t eCores, std::int64_t pCores) {
    return localized("Your computer has " + std::to_string(eCores) + " E-cores and " + std::to_string(pCores) +
                         " P-cores — two types of brains! E-cores save energy, P-cores handle the heavy lifting.",
                     "Tu equipo tiene " + std::to_string(eCores) + " E-cores y " + std::to_string(pCores) +
                         " P-cores: ¡dos tipos de cerebros! Los E-cores ahorran energía, los P-cores se encargan del "
                         "trabajo pesado.");
}

std::string factTopEnergy(const std::string& appName, const std::string& appWatts, const std::string& totalWatts) {
    return localized("Right now " + appName + " is using the most energy — roughly " + appWatts + " out of " +
                         totalWatts + " total.",
                     "Ahora " + appName + " es la app que más energía usa: aprox. " + appWatts + " de " + totalWatts +
                         " en total.");
}

std::string factCycles(std::int64_t count, const std::string& lifetimePct) {
    return localized("Your battery has been through " + std::to_string(count) + " charge cycles — that's " + lifetimePct +
                         " of its expected 1,000-cycle lifetime.",
                     "Tu batería ha pasado por " + std::to_string(count) + " ciclos de carga: eso es " + lifetimePct +
                         " de su vida útil esperada de 1,000 ciclos.");
}

std::string tempAnalogy(double celsius) {
    if (celsius < 40) return localized("room temperature — barely working", "temperatura ambiente: apenas trabajando");
    if (celsius < 55) return localized("a warm cup of tea", "una taza de té tibia");
    if (celsius < 70) return localized("a hot cup of coffee", "una taza de cafe caliente");
    if (celsius < 85) return localized("a very hot shower", "una ducha muy caliente");
    return localized("boiling water territory — very hot!", "territorio de agua hirviendo: ¡muy caliente!");
}

std::string factTempAnalogy(const std::string& temp, const std::string& analogy, bool hybrid) {
    if (!hybrid) {
        return localized("Your computer's CPU is at " + temp + " — that's like " + analogy + ".",
                         "La CPU de tu equipo está a " + temp + ": eso es como " + analogy + ".");
    }
    return localized("Your computer's P-cores are at " + temp + " — that's like " + analogy + ".",
                     "Los P-cores de tu equipo están a " + temp + ": eso es como " + analogy + ".");
}

std::string factMemoryLow(const std::string& pct, const std::string& usedGB, const std::string& totalGB,
                          bool compressing) {
    return localized("Memory is at " + pct + " (" + usedGB + " of " + totalGB +
                         " GB). Linux manages it efficiently — ",
                     "La memoria está al " + pct + " (" + usedGB + " de " + totalGB +
                         " GB). Linux la gestiona eficientemente: ") +
           (compressing ? localized("compressed memory (zswap/zram) keeps things fast without using all your RAM.",
                                    "comprime datos inactivos (zswap/zram) para mantener todo rápido sin usar toda "
                                    "la RAM.")
                        : localized("spare RAM caches recent files to keep things fast and is freed as soon as apps "
                                    "need it.",
                                    "usa la RAM libre como caché de archivos para mantener todo rápido y la libera en "
                                    "cuanto las apps la necesitan."));
}

std::string factMemoryMedium(const std::string& pct, const std::string& usedGB, const std::string& totalGB,
                             bool compressing) {
    return localized("Memory is getting busy at " + pct + " (" + usedGB + " of " + totalGB + " GB). ",
                     "La memoria está algo ocupada al " + pct + " (" + usedGB + " de " + totalGB + " GB). ") +
           (compressing ? localized("Your computer is compressing inactive data (zswap/zram) to keep things smooth.",
                                    "Tu equipo está comprimiendo datos inactivos (zswap/zram) para mantener todo "
                                    "fluido.")
                        : localized("Your computer is handing file cache back to apps to keep things smooth.",
                                    "Tu equipo está cediendo caché de archivos a las apps para mantener todo "
                                    "fluido.")) +
           localized(" No need to close anything yet.", " No necesitas cerrar nada por ahora.");
}

std::string factMemoryHigh(const std::string& pct, const std::string& usedGB, const std::string& totalGB,
                           const std::string& topName, const std::string& topGB) {
    return localized("Memory pressure is high at " + pct + " (" + usedGB + " of " + totalGB +
                         " GB). Closing some apps could help performance. Top user: " + topName + " (" + topGB +
                         " GB).",
                     "La presión de memoria es alta al " + pct + " (" + usedGB + " de " + totalGB +
                         " GB). Cerrar algunas apps podría mejorar el rendimiento. Mayor consumidor: " + topName +
                         " (" + topGB + " GB).");
}

std::string factWattContext(const std::string& watts, const std::string& phones) {
    return localized("Your computer is drawing " + watts + " right now. That's enough power to charge " + phones +
                         " phones simultaneously.",
                     "Tu equipo consume " + watts + " ahora. Eso es suficiente para cargar " + phones +
                         " teléfonos a la vez.");
}

std::string fanContextDescription(std::int32_t rpm) {
    if (rpm < 1500) {
        return localized("Fans are barely spinning — your computer is cool and quiet.",
                         "Los ventiladores apenas giran: tu equipo está fresco y silencioso.");
    }
    if (rpm < 3000) {
        return localized("Fans are gently spinning to keep things comfortable.",
                         "Los ventiladores giran suavemente para mantener todo confortable.");
    }
    if (rpm < 5000) {
        return localized("Fans are working moderately — your computer is warm.",
                         "Los ventiladores trabajan moderadamente: tu equipo está caliente.");
    }
    return localized("Fans are going full blast — your computer really needs cooling right now!",
                     "¡Los ventiladores van a toda potencia: tu equipo necesita enfriarse ya!");
}

std::string factFanContext(const std::string& context, const std::string& speed) {
    return context + localized(" Current speed: ", " Velocidad actual: ") + speed + ".";
}

std::string factProcessCount(std::int64_t total, std::int64_t apps) {
    const std::string n = std::to_string(total), a = std::to_string(apps);
    const std::string processes = total == 1 ? localized("1 process", "1 proceso") : localized(n + " processes", n + " procesos");
    std::string from;
    if (apps > 0) {
        from = apps == 1 ? localized(" from 1 active app", " de 1 app activa")
                         : localized(" from " + a + " active apps", " de " + a + " apps activas");
    }
    return localized("Your computer is running ", "Tu equipo ejecuta ") + processes + from +
           localized(". Each process is like a separate worker doing a specific job.",
                     ". Cada proceso es como un trabajador separado haciendo un trabajo específico.");
}

std::string factHabitScore(std::int64_t score, const std::string& grade) {
    return localized("Your battery habit score is " + std::to_string(score) + "/100 (" + grade +
                         "). Good habits like avoiding constant 100% charges can add months to your battery's "
                         "lifespan.",
                     "Tu puntaje de hábitos de batería es " + std::to_string(score) + "/100 (" + grade +
                         "). Buenos hábitos como evitar cargar siempre al 100% pueden añadir meses a la vida de tu "
                         "batería.");
}

std::string factProfile(const std::string& name, const std::string& description) {
    return localized("Corvelle classifies you as a \"" + name + "\" user. ",
                     "Corvelle te clasifica como un usuario \"" + name + "\". ") +
           description;
}

std::string factHealthContext(const std::string& healthPct, std::int64_t designMAh, std::int64_t currentMAh,
                              std::int64_t lostMAh) {
    return localized("Your battery health is " + healthPct + ". It originally held " + std::to_string(designMAh) +
                         " mAh but now holds " + std::to_string(currentMAh) + " mAh — " + std::to_string(lostMAh) +
                         " mAh of capacity has worn away over time.",
                     "La salud de tu batería es " + healthPct + ". Originalmente almacenaba " + std::to_string(designMAh) +
                         " mAh pero ahora almacena " + std::to_string(currentMAh) + " mAh: " + std::to_string(lostMAh) +
                         " mAh de capacidad se han desgastado.");
}

std::string factUnknownApp() { return "unknown"; }

}  // namespace corvelle::L
