#include "localization/LCommandLine.h"

#include "localization/Localized.h"

namespace corvelle::L {

std::string commandLineHelp() {
    return localized(
        "Usage: corvelle [OPTION]\n"
        "A system and power monitor for the tray. Without options it starts, or opens the panel of\n"
        "the Corvelle that already runs.\n"
        "\n"
        "  -h, --help             show this help and exit\n"
        "  -v, --version          show the version and exit\n"
        "      --snapshot         print every figure once, as JSON, and exit\n"
        "      --watch [SECONDS]  print the status title at every update, every SECONDS (1 to 3600;\n"
        "                         by default the update interval of the settings), until interrupted\n"
        "      --format FORMAT    with --watch: plain (the default) or waybar, one JSON object per\n"
        "                         line for a Waybar custom module; with --snapshot: json (the\n"
        "                         default) or prometheus, the figures and daily results in the\n"
        "                         Prometheus text format\n"
        "      --open [TAB]       open the panel, at TAB: tips, overview, processes, battery or history\n"
        "      --settings         open the settings window\n"
        "\n"
        "A value goes after its option or after \"=\": --watch 5 and --watch=5 are the same. Each option\n"
        "may be given once. A command line that cannot be run ends with exit status 2.\n"
        "--snapshot and --watch write nothing and run beside a Corvelle that is running.\n",
        "Uso: corvelle [OPCIÓN]\n"
        "Un monitor del sistema y de la energía para la bandeja. Sin opciones se inicia, o abre el\n"
        "panel del Corvelle que ya está en marcha.\n"
        "\n"
        "  -h, --help             muestra esta ayuda y termina\n"
        "  -v, --version          muestra la versión y termina\n"
        "      --snapshot         imprime todas las cifras una vez, en JSON, y termina\n"
        "      --watch [SEGUNDOS] imprime el título de estado en cada actualización, cada SEGUNDOS (de\n"
        "                         1 a 3600; por omisión, el intervalo de los ajustes), hasta que se\n"
        "                         interrumpa\n"
        "      --format FORMATO   con --watch: plain (por omisión) o waybar, un objeto JSON por línea\n"
        "                         para un módulo personalizado de Waybar; con --snapshot: json (por\n"
        "                         omisión) o prometheus, las cifras y los resultados diarios en el\n"
        "                         formato de texto de Prometheus\n"
        "      --open [PESTAÑA]   abre el panel, en PESTAÑA: tips, overview, processes, battery o history\n"
        "      --settings         abre la ventana de ajustes\n"
        "\n"
        "Un valor va tras su opción o tras \"=\": --watch 5 y --watch=5 son lo mismo. Cada opción puede\n"
        "darse una vez. Una línea de órdenes que no se puede ejecutar termina con el estado de salida 2.\n"
        "--snapshot y --watch no escriben nada y funcionan junto a un Corvelle en marcha.\n");
}

std::string unknownOption(const std::string& option) {
    return localized("unknown option " + option, "opción desconocida " + option);
}
std::string unexpectedArgument(const std::string& argument) {
    return localized("unexpected argument " + argument, "argumento inesperado " + argument);
}
std::string invalidWatchInterval(const std::string& value) {
    return localized("--watch takes a number of seconds from 1 to 3600, not " + value,
                     "--watch admite un número de segundos de 1 a 3600, no " + value);
}
std::string invalidTab(const std::string& value) {
    return localized("--open takes tips, overview, processes, battery or history, not " + value,
                     "--open admite tips, overview, processes, battery o history, no " + value);
}
std::string invalidFormat(const std::string& value) {
    return localized("--format takes plain or waybar with --watch, json or prometheus with --snapshot, not " + value,
                     "--format admite plain o waybar con --watch, json o prometheus con --snapshot, no " + value);
}
std::string formatGoesWith(const std::string& format, const std::string& option) {
    return localized("--format " + format + " goes with " + option, "--format " + format + " va con " + option);
}
std::string repeatedOption(const std::string& option) {
    return localized(option + " is given more than once", option + " aparece más de una vez");
}
std::string optionNeedsValue(const std::string& option) {
    return localized(option + " needs a value", option + " necesita un valor");
}
std::string oneActionOnly() {
    return localized("choose one of --snapshot, --watch, --open and --settings",
                     "elige solo una de --snapshot, --watch, --open y --settings");
}
std::string tryHelp() {
    return localized("Try \"corvelle --help\" for the options.", "Prueba \"corvelle --help\" para ver las opciones.");
}
std::string runningInstanceSilent() {
    return localized("Corvelle is already running but did not answer.",
                     "Corvelle ya está en marcha pero no ha respondido.");
}

std::string needsDisplay() {
    return localized("Corvelle needs a graphical session (Wayland or X11) to show its status item and panel; "
                     "corvelle --snapshot and corvelle --watch run without one.",
                     "Corvelle necesita una sesión gráfica (Wayland o X11) para mostrar su icono de estado y su "
                     "panel; corvelle --snapshot y corvelle --watch funcionan sin ella.");
}

std::string thermalStateLine(const std::string& label) {
    return localized("Thermal state: ", "Estado térmico: ") + label;
}

}  // namespace corvelle::L
