#include "localization/LTips.h"

#include "localization/Localized.h"

namespace corvelle::L {
TipContent tipThermal(const std::string& suggestion) {
    return {localized("Your computer is overheating", "Tu equipo se está sobrecalentando"),
            localized("Your computer is like a car engine — when it gets too hot, it slows down to protect itself. ",
                      "Tu equipo es como un motor de coche: cuando se calienta demasiado, baja la velocidad para "
                      "protegerse. ") +
                suggestion};
}

std::string tipThermalSuggestion(const std::string& offenders) {
    if (offenders.empty()) {
        return localized("Try closing some apps or moving to a cooler spot.",
                         "Intenta cerrar algunas apps o moverte a un lugar más fresco.");
    }
    return offenders + localized(" are making it work hardest. Try closing them or moving to a cooler spot.",
                                 " están haciéndolo trabajar más. Intenta cerrarlas o moverte a un lugar más fresco.");
}

TipContent tipBatteryCritical(const std::string& who) {
    return {localized("Battery almost empty", "Batería casi vacía"),
            localized("Your battery is running on fumes. ", "Tu batería está en las últimas. ") + who};
}

std::string tipBatteryCriticalWho(const std::string& offenders) {
    const std::string plugIn = localized("Save your work and plug in now.", "Guarda tu trabajo y conecta el cargador ya.");
    if (offenders.empty()) return plugIn;
    return offenders + localized(" are still draining power. ", " siguen drenando energía. ") + plugIn;
}

TipContent tipProcessSpike(const std::string& name, const std::string& timesMore) {
    return {localized(name + " is working " + timesMore + "x harder than usual",
                      name + " está trabajando " + timesMore + "x más de lo normal"),
            name + localized(" is using way more brainpower than normal. Try quitting and reopening it — this alone "
                             "could save a lot of battery.",
                             " está usando mucha más capacidad de lo normal. Intenta cerrarla y reabrirla; eso solo "
                             "podría ahorrar mucha batería.")};
}

TipContent tipHighWatts(const std::string& offenders, const std::string& watts) {
    const std::string title = localized("Battery draining fast", "Batería drenándose rápido");
    if (offenders.empty()) {
        return {title, localized("Your computer is pulling " + watts +
                                     " — each watt on battery is like leaving a small light on. It adds up fast! "
                                     "Close apps you're not using.",
                                 "Tu equipo consume " + watts +
                                     "; cada watt con batería es como dejar una luz pequeña encendida. ¡Se acumula "
                                     "rápido! Cierra apps que no uses.")};
    }
    return {title, offenders + localized(" are the biggest energy hogs right now (" + watts +
                                             " total). Each watt on battery adds up — close what you don't need.",
                                         " son los que más energía consumen ahora (" + watts +
                                             " total). Cada watt con batería se acumula; cierra lo que no necesites.")};
}

TipContent tipBatteryLow(const std::string& extra) {
    return {localized("Battery getting low", "Batería bajando"),
            localized("Turn on power saver: Settings → Power → Power Mode.",
                      "Activa el ahorro de energía: Configuración → Energía → Modo de energía.") +
                extra};
}

std::string tipBatteryLowExtra(const std::string& offenders) {
    if (offenders.empty()) return {};
    return " " + offenders + localized(" are using the most energy right now.", " están usando más energía ahora.");
}

TipContent tipMemoryPressure(const std::string& who) {
    return {localized("Too many apps open", "Demasiadas apps abiertas"),
            localized("Think of memory like a desk — when it's full, your computer stacks things on the floor (the "
                      "hard drive), which is way slower. ",
                      "Piensa en la memoria como un escritorio: cuando está lleno, tu equipo apila cosas en el piso "
                      "(el disco), que es mucho más lento. ") +
                who};
}

std::string tipMemoryPressureWho(const std::string& memHogs) {
    if (memHogs.empty()) return localized("Close what you don't need.", "Cierra lo que no necesites.");
    return memHogs + localized(" are using the most memory. Try closing what you don't need.",
                               " están usando más memoria. Intenta cerrar lo que no necesites.");
}

std::string tipCPUBusyTitle(const std::optional<std::string>& name) {
    return localized(name.value_or("Something") + " is working hard", name.value_or("Algo") + " está trabajando duro");
}

std::string tipCPUBusyWho(const std::optional<std::string>& name, const std::string& cpuPct) {
    if (!name) {
        return localized("Something is pushing your computer's brain to its limits.",
                         "Algo está llevando el cerebro de tu equipo al límite.");
    }
    return localized(*name + " is using " + cpuPct + " of your computer's brainpower.",
                     *name + " está usando " + cpuPct + " de la capacidad de tu equipo.");
}

std::string tipCPUBusy(const std::string& who, const std::string& coreAvg, bool hybrid) {
    if (!hybrid) {
        return who + localized(" Its cores are at " + coreAvg + " on average, drawing lots of energy.",
                               " Sus núcleos están al " + coreAvg + " de media y consumen mucha energía.");
    }
    return who + localized(" The powerful P-cores are at " + coreAvg +
                               " — that's the sprinting cores using lots of energy.",
                           " Los P-cores potentes están al " + coreAvg +
                               "; son los núcleos de sprint que usan mucha energía.");
}

TipContent tipUnplug() {
    return {localized("Unplug once in a while", "Desconecta de vez en cuando"),
            localized("Letting the battery discharge occasionally keeps it healthier long-term. Think of it like "
                      "stretching — batteries need to move too.",
                      "Dejar que la batería se descargue ocasionalmente la mantiene más saludable a largo plazo. "
                      "Piénsalo como estirar: las baterías también necesitan moverse.")};
}

TipContent tipAboveBaseline(const std::string& timesMore, const std::string& currentWatts,
                            const std::string& baselineWatts, const std::string& extra) {
    return {localized("Using " + timesMore + "x more power than usual", "Usando " + timesMore + "x más energía de lo normal"),
            localized("Right now: " + currentWatts + ", normally around " + baselineWatts + ". ",
                      "Ahora: " + currentWatts + ", normalmente " + baselineWatts + ". ") +
                extra};
}

std::string tipAboveBaselineExtra(const std::string& offenders) {
    if (offenders.empty()) return localized("Something is demanding extra energy.", "Algo está demandando energía extra.");
    return localized("Mainly ", "Principalmente ") + offenders + ".";
}

TipContent tipGreatEfficiency(const std::string& watts) {
    return {localized("Battery sipping, not gulping", "Batería sorbiendo, no tragando"),
            localized("Only " + watts +
                          " right now — that's excellent! Your computer is barely working. At this rate your battery "
                          "will last a long time.",
                      "Solo " + watts +
                          " ahora; ¡excelente! Tu equipo apenas está trabajando. A este ritmo tu batería durará mucho.")};
}

TipContent tipHealthyRange() {
    return {localized("Your battery is in the sweet spot", "Tu batería está en el punto ideal"),
            localized("Batteries are happiest between 20% and 80%. Like a phone, charging to 100% every time wears it "
                      "out faster. You're in the ideal range right now!",
                      "Las baterías son más felices entre 20% y 80%. Como un teléfono, cargar al 100% cada vez la "
                      "desgasta más rápido. ¡Estás en el rango ideal ahora!")};
}

TipContent tipCoresActive(const std::string& appName) {
    return {localized("Your computer is using its powerful brains", "Tu equipo está usando sus cerebros potentes"),
            appName + localized(" woke up the P-cores (the fast ones). These are 3x more powerful than E-cores but "
                                "use more energy — like sprinting vs walking.",
                                " despertó los P-cores (los rápidos). Son 3x más potentes que los E-cores pero usan "
                                "más energía, como correr vs caminar.")};
}

TipContent tipFansSpinning(const std::string& appName, const std::string& rpm) {
    return {localized("Fans are cooling things down", "Los ventiladores están enfriando"),
            localized("Your computer's fans are spinning at " + rpm + " to keep the chips cool. " + appName +
                          " is making it work hard.",
                      "Los ventiladores de tu equipo giran a " + rpm + " para mantener los chips frescos. " + appName +
                          " lo está haciendo trabajar duro.")};
}

TipContent tipDiskBusy(const std::string& appName, const std::string& throughput) {
    return {localized("Your storage is busy", "Tu almacenamiento está ocupado"),
            localized("Your computer is reading/writing data fast (" + throughput + "). " + appName +
                          " is moving lots of files around.",
                      "Tu equipo está leyendo/escribiendo datos rápido (" + throughput + "). " + appName +
                          " está moviendo muchos archivos.")};
}

TipContent tipNetworkActive(const std::string& appName, const std::string& throughput) {
    return {localized("Lots of data flowing", "Mucho flujo de datos"),
            localized("Your computer is transferring data at " + throughput + ". " + appName +
                          " is sending or receiving data — maybe a large download or video stream.",
                      "Tu equipo transfiere datos a " + throughput + ". " + appName +
                          " está enviando o recibiendo datos, quizá una descarga grande o video en streaming.")};
}

TipContent tipCharge100() {
    return {localized("Consider unplugging soon", "Considera desconectar pronto"),
            localized("Charging to 100% regularly makes the battery age faster. Stopping at 80% can add months of "
                      "battery life — like not overfilling a water balloon.",
                      "Cargar al 100% regularmente hace que la batería envejezca más rápido. Parar al 80% puede "
                      "añadir meses de vida útil, como no inflar demasiado un globo de agua.")};
}

TipContent tipSuperIdle(const std::string& watts, const std::string& hoursLeft) {
    return {localized("Super efficient right now", "Super eficiente ahora"),
            localized("Only " + watts + "! At this rate your battery could last " + hoursLeft +
                          " more hours. Your computer is barely working.",
                      "¡Solo " + watts + "! A este ritmo tu batería podría durar " + hoursLeft +
                          " horas más. Tu equipo apenas está trabajando.")};
}

TipContent tipMemoryEarly(const std::string& usedGB, const std::string& totalGB, const std::string& appInfo) {
    return {localized("Memory is filling up", "La memoria se está llenando"),
            localized("Your computer is using " + usedGB + " GB of " + totalGB + " GB memory. " + appInfo +
                          ". Close unused tabs and apps to keep things snappy.",
                      "Tu equipo usa " + usedGB + " GB de " + totalGB + " GB de memoria. " + appInfo +
                          ". Cierra pestañas y apps sin usar para mantener la fluidez.")};
}

std::string tipMemoryEarlyAppInfo(const std::string& name, const std::string& memStr) {
    return localized(name + " is using the most (" + memStr + ")", name + " usa más (" + memStr + ")");
}

std::string tipMemoryEarlyAppInfoFallback() {
    return localized("Several apps are using a lot", "Varias apps están usando bastante");
}

TipContent tipGoodHabits(const std::string& grade, std::int64_t score) {
    return {localized("Great battery habits!", "¡Excelentes hábitos de batería!"),
            localized("Your charging and usage patterns are really good. Your battery habit score is " + grade + " (" +
                          std::to_string(score) + "/100). Keep it up!",
                      "Tus patrones de carga y uso son muy buenos. Tu puntaje de hábitos es " + grade + " (" +
                          std::to_string(score) + "/100). ¡Sigue así!")};
}

TipContent tipHeavyApp(const std::string& name, const std::string& cpuPct) {
    return {name + localized(" needs lots of brainpower", " necesita mucha capacidad"),
            localized(name + " is using " + cpuPct + " of your computer's processing power.",
                      name + " usa " + cpuPct + " de la capacidad de proceso de tu equipo.")};
}

TipContent tipProfilePower(std::int64_t activeApps) {
    return {std::to_string(activeApps) + localized(" apps running on battery", " apps en bateria"),
            localized("Each open app uses a slice of battery. Close unused ones to stretch your charge — even "
                      "background apps add up!",
                      "Cada app abierta usa un trozo de batería. Cierra las que no uses para estirar la carga; "
                      "¡incluso las apps en segundo plano suman!")};
}

TipContent tipProfileCreative(const std::string& gpuWatts) {
    return {localized("GPU pulling ", "GPU consumiendo ") + gpuWatts,
            localized("Creative apps push the GPU (the graphics brain) hard. Plug in for rendering or heavy design "
                      "work — the GPU alone is using ",
                      "Las apps creativas exigen mucho a la GPU (el cerebro gráfico). Conecta el cargador para "
                      "renderizar o trabajo de diseño pesado; la GPU sola usa ") +
                gpuWatts + "."};
}

TipContent tipProfileDev(const std::string& name, const std::string& watts) {
    return {name + localized(" is your biggest drain", " es tu mayor consumidor"),
            localized("Compiling code is like running a marathon for your CPU. Plug in for builds — your computer is "
                      "pulling " + watts + " right now.",
                      "Compilar código es como un maratón para tu CPU. Conecta el cargador para builds; tu equipo "
                      "consume " + watts + " ahora.")};
}

TipContent tipProfileMeeting(const std::string& meetingWarning) {
    return {localized("You might not last the meeting", "Podrías no aguantar la reunión"),
            meetingWarning + localized(". Video calls use camera, mic, and screen sharing all at once — that's a lot "
                                       "of energy. Plug in if you can.",
                                       ". Las videollamadas usan cámara, micro y pantalla compartida a la vez, eso es "
                                       "mucha energía. Conecta el cargador si puedes.")};
}

std::string tipProfileMeetingWarning(std::int64_t minutesLeft) {
    if (minutesLeft < 1) return localized("Battery dropping fast", "Batería bajando rápido");
    return "~" + std::to_string(minutesLeft) + localized(" min left", " min restantes");
}

TipContent tipDegradationWarning(const std::string& dropPerCycle, const std::string& rate) {
    return {localized("Battery degrading faster than expected", "Batería degradándose más rápido de lo esperado"),
            localized("Health is dropping at " + dropPerCycle + "/cycle (" + rate +
                          "). Good habits like avoiding heat and deep discharges can help slow this down.",
                      "La salud baja " + dropPerCycle + "/ciclo (" + rate +
                          "). Buenos hábitos como evitar el calor y descargas profundas pueden ayudar a frenarlo.")};
}

TipContent tipHealthPrediction(std::int64_t months) {
    return {localized("Battery health at 80% in ~" + std::to_string(months) + " months",
                      "Salud de batería al 80% en ~" + std::to_string(months) + " meses"),
            localized("At your current usage pattern, the battery may need service by then. 80% is the usual "
                      "threshold for a worn battery. Good habits can push this date further out.",
                      "Con tu patrón de uso actual, la batería podría necesitar servicio para entonces. El 80% es "
                      "el umbral habitual de una batería desgastada. Buenos hábitos pueden retrasar esta fecha.")};
}

TipContent tipDegradationDespiteGoodHabits(const std::string& grade, const std::string& dropPerCycle) {
    return {localized("Battery degrading despite good habits", "Batería degradándose a pesar de buenos hábitos"),
            localized("Your current habits are excellent (" + grade +
                          "), but prior wear already damaged the battery. Health is dropping at " + dropPerCycle +
                          "/cycle. It may need service eventually.",
                      "Tus hábitos actuales son excelentes (" + grade +
                          "), pero el desgaste previo ya dañó la batería. La salud baja " + dropPerCycle +
                          "/ciclo. Podría necesitar servicio eventualmente.")};
}

TipContent tipDiscreteGpuAwake(const std::string& who, std::size_t count, const std::string& watts) {
    const std::string draws = watts.empty() ? "" : localized(" and draws " + watts, " y consume " + watts);
    const std::string what = who.empty() ? "" : localized(" for ", " para ") + who;
    std::string advice;
    if (count == 0) {
        advice = localized("Quit the programs that use it, or start them on the integrated GPU, to let it sleep.",
                           "Cierra los programas que la usan, o ábrelos en la GPU integrada, para que pueda dormir.");
    } else if (count == 1) {
        advice = localized("Quit it, or start it on the integrated GPU, to let it sleep.",
                           "Ciérralo, o ábrelo en la GPU integrada, para que pueda dormir.");
    } else {
        advice = localized("Quit them, or start them on the integrated GPU, to let it sleep.",
                           "Ciérralos, o ábrelos en la GPU integrada, para que pueda dormir.");
    }
    return {localized("Discrete GPU awake", "GPU dedicada despierta"),
            localized("The discrete GPU is awake", "La GPU dedicada está despierta") + what + draws + ". " + advice};
}

std::string tipUnknownApp() { return "Something"; }

std::string tipYourWorkload() { return localized("your workload", "tu carga de trabajo"); }

std::string listLastJoiner() { return localized(" and ", " y "); }

}  // namespace corvelle::L
