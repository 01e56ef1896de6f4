#include "localization/L.h"
#include "localization/Language.h"

#include "support/BilingualText.h"

#include <gtest/gtest.h>

namespace corvelle {
namespace {

TEST(Language, RawValuesAreExact) {
    EXPECT_EQ(fromRaw<Language>("en"), Language::en);
    EXPECT_EQ(fromRaw<Language>("es"), Language::es);
    for (const char* bad : {"", "ES", " es", "es-MX", "fr"}) EXPECT_FALSE(fromRaw<Language>(bad)) << bad;
}

TEST(Language, TheSettingWinsThenTheFirstPreferredLanguage) {
    const struct {
        const char* setting;
        std::vector<std::string> preferred;
        Language expected;
    } cases[] = {
        {"", {"es-ES", "en"}, Language::es},
        {"", {"en-GB", "es"}, Language::en},
        {"", {}, Language::en},
        {"ES", {"es-MX"}, Language::es},  // not a language: falls back to detection
        {"en", {"es-ES"}, Language::en},
        {"es", {"en-US"}, Language::es},
        {"", {"eu-ES"}, Language::en},
    };
    for (const auto& c : cases) EXPECT_EQ(languageFor(c.setting, c.preferred), c.expected) << c.setting;
}

TEST(L, ParametrisedTextsInBothLanguages) {
    test::expectBothLanguages({
        {[] { return L::cyclesLabel(-3); }, "-3 cycles", "-3 ciclos"},
        {[] { return L::dayTrend(30, "\u22122%"); }, "30-day trend: \u22122%", "Tendencia de 30 días: \u22122%"},
        {[] { return L::chargingWithAdapterWatts("18.2 W", "96 W"); }, "Charging · 18.2 W (adapter 96 W)",
         "Cargando · 18.2 W (adaptador 96 W)"},
        {[] { return L::energyRangeDesc(0, 2); }, "Live power draw sampled every 2s while Corvelle is open",
         "Consumo en tiempo real cada 2s mientras Corvelle está abierto"},
        {[] { return L::thermalLevelLabel(ThermalLevel::nominal); }, "Nominal", "Normal"},
    });
}

}  // namespace
}  // namespace corvelle
