#include "localization/LTipsTab.h"

#include "localization/Localized.h"

namespace corvelle::L {

std::string allGoodTitle() { return localized("All good!", "¡Todo bien!"); }
std::string allGoodDetail() {
    return localized("Your computer is running great. Nothing to worry about right now.",
                     "Tu equipo funciona genial. No hay nada de qué preocuparse.");
}
std::string didYouKnowTitle() { return localized("Did you know?", "¿Sabías que...?"); }
std::string stillLearning() {
    return localized("Corvelle is still learning about your computer. Check back soon for personalized insights!",
                     "Corvelle todavía está aprendiendo sobre tu equipo. ¡Vuelve pronto para consejos personalizados!");
}
std::string quickGuideTitle() { return localized("Quick Guide", "Guía rápida"); }
std::string guidePowerAndBattery() { return localized("Power & Battery", "Energía y batería"); }
std::string guidePerformance() { return localized("Performance", "Rendimiento"); }
std::string guideTemperature() { return localized("Temperature", "Temperatura"); }

}  // namespace corvelle::L
