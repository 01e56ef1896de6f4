#include "localization/LExplainers.h"

#include "localization/Localized.h"

namespace corvelle::L {

std::string explainerSimple(Explainer explainer) {
    switch (explainer) {
        case Explainer::cpu:
            return localized("Your computer's brain that runs all your apps",
                             "El cerebro de tu equipo que ejecuta todas tus apps");
        case Explainer::cpuUsage:
            return localized("How hard your computer's brain is working right now",
                             "Cuánto está trabajando el cerebro de tu equipo ahora");
        case Explainer::eCore:
            return localized("Small, efficient helpers for easy tasks",
                             "Pequeños ayudantes eficientes para tareas fáciles");
        case Explainer::pCore:
            return localized("Powerful workers for demanding tasks",
                             "Trabajadores potentes para tareas exigentes");
        case Explainer::process:
            return localized("A program or piece of a program running on your computer",
                             "Un programa o parte de un programa ejecutándose en tu equipo");
        case Explainer::pid:
            return localized("A unique ID number for each running program",
                             "Un número de ID único para cada programa en ejecución");
        case Explainer::energyImpact:
            return localized("How much battery a program is using",
                             "Cuánta batería usa un programa");
        case Explainer::memory:
            return localized("Your computer's short-term workspace for open apps",
                             "El espacio de trabajo a corto plazo de tu equipo para apps abiertas");
        case Explainer::memPressure:
            return localized("How full your computer's short-term memory is",
                             "Qué tan llena está la memoria a corto plazo de tu equipo");
        case Explainer::diskIO:
            return localized("How fast your computer is reading and writing files",
                             "Qué tan rápido tu equipo lee y escribe archivos");
        case Explainer::network:
            return localized("Data flowing in and out of your computer",
                             "Datos entrando y saliendo de tu equipo");
        case Explainer::watts:
            return localized("How much energy your computer is using right now",
                             "Cuánta energía usa tu equipo ahora");
        case Explainer::wattHours:
            return localized("Total energy used over time",
                             "Energía total usada en el tiempo");
        case Explainer::batteryPercent:
            return localized("How much charge is left in your battery",
                             "Cuánta carga queda en tu batería");
        case Explainer::battHealth:
            return localized("How much juice your battery can still hold",
                             "Cuánta energía puede almacenar tu batería todavía");
        case Explainer::cycleCount:
            return localized("How many times the battery has been fully used",
                             "Cuántas veces se ha usado completamente la batería");
        case Explainer::charging:
            return localized("Power flowing into your battery from the charger",
                             "Energía entrando a tu batería desde el cargador");
        case Explainer::timeRemaining:
            return localized("Estimated time until your battery runs out",
                             "Tiempo estimado hasta que tu batería se agote");
        case Explainer::baseline:
            return localized("What's normal for your computer based on past usage",
                             "Lo normal para tu equipo basado en uso pasado");
        case Explainer::temperature:
            return localized("How hot the chips inside your computer are",
                             "Qué tan calientes están los chips dentro de tu equipo");
        case Explainer::thermal:
            return localized("Your computer slowing down to cool off",
                             "Tu equipo ralentizándose para enfriarse");
        case Explainer::throttling:
            return localized("Your computer reducing speed to prevent overheating",
                             "Tu equipo reduciendo velocidad para evitar sobrecalentamiento");
        case Explainer::fanRPM:
            return localized("How fast the fans are spinning to cool your computer",
                             "Qué tan rápido giran los ventiladores para enfriar tu equipo");
        case Explainer::usageProfile:
            return localized("What type of computer user you are based on your habits",
                             "Qué tipo de usuario eres según tus hábitos");
        case Explainer::habitScore:
            return localized("A grade for how well you treat your battery",
                             "Una nota por lo bien que tratas tu batería");
        case Explainer::degradationRate:
            return localized("How fast your battery is wearing out",
                             "Qué tan rápido se desgasta tu batería");
    }
    return {};
}

std::string explainerDetailed(Explainer explainer) {
    switch (explainer) {
        case Explainer::cpu:
            return localized(
                "Think of CPU as your computer's brain. When you open apps, it thinks harder. The percentage shows how much brainpower is being used right now.",
                "Piensa en la CPU como el cerebro de tu equipo. Cuando abres apps, piensa más fuerte. El porcentaje muestra cuánta capacidad se está usando ahora.");
        case Explainer::cpuUsage:
            return localized(
                "CPU usage is like a report card for your computer's brain. 10% means it's barely thinking. 90% means it's working as hard as it can. High usage makes everything slower.",
                "El uso de CPU es como un boletín de notas para el cerebro de tu equipo. 10% significa que apenas piensa. 90% significa que trabaja al máximo. Un uso alto hace todo más lento.");
        case Explainer::eCore:
            return localized(
                "E-cores are like walking — they handle easy jobs (email, music) without using much energy. Your computer uses these to save battery.",
                "Los E-cores son como caminar: manejan tareas fáciles (email, música) sin usar mucha energía. Tu equipo los usa para ahorrar batería.");
        case Explainer::pCore:
            return localized(
                "P-cores are like sprinting — they tackle hard jobs (video editing, games) fast, but use more energy. Your computer only wakes these when needed.",
                "Los P-cores son como correr: resuelven tareas pesadas (edición de video, juegos) rápido, pero usan más energía. Tu equipo solo los despierta cuando es necesario.");
        case Explainer::process:
            return localized(
                "Every app runs as one or more processes. Chrome might have 20+ processes (one per tab). Each process uses CPU, memory, and energy independently.",
                "Cada app se ejecuta como uno o más procesos. Chrome podría tener 20+ procesos (uno por pestaña). Cada proceso usa CPU, memoria y energía de forma independiente.");
        case Explainer::pid:
            return localized(
                "PID stands for Process ID. It's like a ticket number at a deli — each running program gets a unique number so the system can keep track of it.",
                "PID significa Process ID. Es como un número de turno en una tienda: cada programa en ejecución recibe un número único para que el sistema pueda rastrearlo.");
        case Explainer::energyImpact:
            return localized(
                "Energy impact combines CPU, GPU, disk, and network usage into a single score. Higher means that app is draining your battery faster.",
                "El impacto energético combina uso de CPU, GPU, disco y red en un solo puntaje. Mayor significa que esa app drena tu batería más rápido.");
        case Explainer::memory:
            return localized(
                "RAM is like your desk. Open apps sit on the desk for quick access. When the desk is full, your computer has to put things on the floor (disk) to make room — which is way slower.",
                "La RAM es como tu escritorio. Las apps abiertas se sientan en el escritorio para acceso rápido. Cuando el escritorio está lleno, tu equipo pone cosas en el piso (disco) para hacer espacio, lo cual es mucho más lento.");
        case Explainer::memPressure:
            return localized(
                "Memory pressure shows how stressed your RAM is. Green (low) means plenty of room. Red (high) means your computer is swapping to disk and slowing down.",
                "La presión de memoria muestra qué tan estresada está tu RAM. Verde (baja) significa mucho espacio. Rojo (alta) significa que tu equipo está intercambiando con disco y ralentizándose.");
        case Explainer::diskIO:
            return localized(
                "Disk I/O measures how fast data moves to and from your storage. R means reading (loading files), W means writing (saving files). High activity can slow other things down.",
                "Disk I/O mide qué tan rápido se mueven datos hacia y desde tu almacenamiento. R significa lectura (cargando archivos), W significa escritura (guardando archivos). Mucha actividad puede ralentizar otras cosas.");
        case Explainer::network:
            return localized(
                "Network shows data flowing in (downloads) and out (uploads). The arrow down is incoming data, arrow up is outgoing. Measured in bytes per second.",
                "Red muestra datos entrando (descargas) y saliendo (subidas). La flecha abajo es datos entrantes, flecha arriba son salientes. Medido en bytes por segundo.");
        case Explainer::watts:
            return localized(
                "Watts measure power like MPH measures speed. 5W = sipping energy (reading email). 30W = gulping energy (editing video). Lower watts means longer battery life.",
                "Los watts miden energía como km/h mide velocidad. 5W = sorbiendo energía (leyendo email). 30W = tragando energía (editando video). Menos watts = más vida de batería.");
        case Explainer::wattHours:
            return localized(
                "If Watts are speed, Watt-hours are distance. 10W for 2 hours = 20 Wh of total energy consumed. Your battery capacity is measured in Watt-hours too.",
                "Si los Watts son velocidad, los Watt-horas son distancia. 10W por 2 horas = 20 Wh de energía total. La capacidad de tu batería también se mide en Watt-horas.");
        case Explainer::batteryPercent:
            return localized(
                "Battery percentage shows how much charge is left, like a fuel gauge in a car. How fast it drops depends on what apps you're running and screen brightness.",
                "El porcentaje de batería muestra cuánta carga queda, como el indicador de combustible de un coche. La velocidad de descarga depende de las apps y el brillo de pantalla.");
        case Explainer::battHealth:
            return localized(
                "A new battery holds 100% of its original capacity. Over time it shrinks, like a water bottle slowly getting smaller. 80%+ is healthy. Below 80%, a battery usually counts as worn.",
                "Una batería nueva almacena el 100% de su capacidad original. Con el tiempo se reduce, como una botella de agua que se hace más pequeña. 80%+ es saludable. Por debajo del 80%, una batería suele considerarse desgastada.");
        case Explainer::cycleCount:
            return localized(
                "One cycle = using 100% of battery capacity. Using 50% two days in a row = 1 cycle. Modern laptop batteries last about 1,000 cycles before noticeable wear.",
                "Un ciclo = usar el 100% de la capacidad de la batería. Usar 50% dos días seguidos = 1 ciclo. Las baterías modernas de portátil duran unos 1,000 ciclos antes de desgaste notable.");
        case Explainer::charging:
            return localized(
                "When plugged in, your computer charges the battery and powers itself from the wall. Fast charging to 80% is quick, but the last 20% slows down to protect battery health.",
                "Al conectar, tu equipo carga la batería y se alimenta de la corriente. La carga rápida al 80% es rápida, pero el último 20% se ralentiza para proteger la salud de la batería.");
        case Explainer::timeRemaining:
            return localized(
                "This estimate is based on your current power usage. If you're doing something heavy, it'll show less time. Close demanding apps and the estimate goes up.",
                "Esta estimación se basa en tu consumo actual. Si haces algo pesado, mostrará menos tiempo. Cierra apps exigentes y la estimación sube.");
        case Explainer::baseline:
            return localized(
                "Corvelle learns what's normal for your computer over time. When current usage is much higher than your baseline, something unusual is happening — probably a specific app.",
                "Corvelle aprende lo que es normal para tu equipo con el tiempo. Cuando el uso actual es mucho mayor que tu línea base, algo inusual está pasando, probablemente una app específica.");
        case Explainer::temperature:
            return localized(
                "Your computer's chips generate heat when working. Under 50°C is cool, 70-85°C is warm and normal under load, above 90°C means something is pushing it hard.",
                "Los chips de tu equipo generan calor al trabajar. Menos de 50°C es fresco, 70-85°C es caliente y normal bajo carga, más de 90°C significa que algo lo está empujando fuerte.");
        case Explainer::thermal:
            return localized(
                "When your computer gets too hot, it slows itself down — like how you walk instead of run on a very hot day. This protects the chips from damage.",
                "Cuando tu equipo se calienta demasiado, baja la velocidad, como cuando caminas en vez de correr en un día muy caluroso. Esto protege los chips de dañarse.");
        case Explainer::throttling:
            return localized(
                "Throttling is your computer hitting the brakes to cool down. It reduces CPU and GPU speed temporarily. Once temps drop, full speed returns. It's a safety feature, not a problem.",
                "El throttling es tu equipo frenando para enfriarse. Reduce la velocidad de CPU y GPU temporalmente. Cuando baja la temperatura, vuelve a toda velocidad. Es una función de seguridad, no un problema.");
        case Explainer::fanRPM:
            return localized(
                "RPM = spins per minute. 0 = fans off (cool and quiet). 3000+ = fans working hard. 6000 = your computer is very hot and needs all the cooling it can get.",
                "RPM = giros por minuto. 0 = ventiladores apagados (fresco y silencioso). 3000+ = ventiladores trabajando fuerte. 6000 = tu equipo está muy caliente y necesita todo el enfriamiento posible.");
        case Explainer::usageProfile:
            return localized(
                "Corvelle watches how you use your computer for a week, then classifies you (Developer, Creative, Light, etc.). This helps tailor tips and predictions to your actual workflow.",
                "Corvelle observa cómo usas tu equipo durante una semana, luego te clasifica (Desarrollador, Creativo, Ligero, etc.). Esto ayuda a personalizar consejos y predicciones a tu flujo de trabajo real.");
        case Explainer::habitScore:
            return localized(
                "Your habit score grades charging behavior, thermal exposure, discharge depth, and plug balance. Good habits (like not always charging to 100%) keep batteries healthy longer.",
                "Tu puntaje de hábitos evalúa el comportamiento de carga, exposición térmica, profundidad de descarga y equilibrio de conexión. Buenos hábitos (como no cargar siempre al 100%) mantienen las baterías saludables más tiempo.");
        case Explainer::degradationRate:
            return localized(
                "This tracks how fast your battery health is dropping per charge cycle. Excellent means it's aging slower than expected. Severe means it's wearing out fast — check your habits.",
                "Esto rastrea qué tan rápido baja la salud de tu batería por ciclo de carga. Excelente significa que envejece más lento de lo esperado. Severa significa que se desgasta rápido: revisa tus hábitos.");
    }
    return {};
}

std::string explainerTerm(Explainer explainer) {
    switch (explainer) {
        case Explainer::cpu: return localized("CPU", "CPU");
        case Explainer::cpuUsage: return localized("CPU usage", "Uso de CPU");
        case Explainer::eCore: return localized("E-cores", "E-cores");
        case Explainer::pCore: return localized("P-cores", "P-cores");
        case Explainer::process: return localized("Process", "Proceso");
        case Explainer::pid: return localized("PID", "PID");
        case Explainer::energyImpact: return localized("Energy impact", "Impacto energético");
        case Explainer::memory: return localized("Memory", "Memoria");
        case Explainer::memPressure: return localized("Memory pressure", "Presión de memoria");
        case Explainer::diskIO: return localized("Disk activity", "Actividad del disco");
        case Explainer::network: return localized("Network", "Red");
        case Explainer::watts: return localized("Watts", "Vatios");
        case Explainer::wattHours: return localized("Watt-hours", "Vatios-hora");
        case Explainer::batteryPercent: return localized("Battery percentage", "Porcentaje de batería");
        case Explainer::battHealth: return localized("Battery health", "Salud de la batería");
        case Explainer::cycleCount: return localized("Cycle count", "Ciclos de carga");
        case Explainer::charging: return localized("Charging", "Carga");
        case Explainer::timeRemaining: return localized("Time remaining", "Tiempo restante");
        case Explainer::baseline: return localized("Baseline", "Consumo de referencia");
        case Explainer::temperature: return localized("Temperature", "Temperatura");
        case Explainer::thermal: return localized("Thermal state", "Estado térmico");
        case Explainer::throttling: return localized("Throttling", "Limitación térmica");
        case Explainer::fanRPM: return localized("Fan speed (RPM)", "Velocidad del ventilador (RPM)");
        case Explainer::usageProfile: return localized("Usage profile", "Perfil de uso");
        case Explainer::habitScore: return localized("Habit score", "Puntuación de hábitos");
        case Explainer::degradationRate: break;
    }
    return localized("Degradation rate", "Ritmo de desgaste");
}

std::string explainerPrompt() { return localized("What is this?", "¿Qué es esto?"); }

}  // namespace corvelle::L
