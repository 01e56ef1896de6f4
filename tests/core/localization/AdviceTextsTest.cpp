#include "localization/LExplainers.h"
#include "localization/LFacts.h"
#include "localization/LTips.h"
#include "model/Explainer.h"

#include "support/BilingualText.h"

#include <gtest/gtest.h>

#include <set>

namespace corvelle {
namespace {

TEST(Explainer, TwentySixCasesInOrderWithRawValuesThatRoundTrip) {
    ASSERT_EQ(allExplainers.size(), 26u);
    EXPECT_EQ(allExplainers.front(), Explainer::cpu);
    EXPECT_EQ(allExplainers.back(), Explainer::degradationRate);
    std::set<std::string_view> raws;
    for (Explainer e : allExplainers) {
        raws.insert(toRaw(e));
        EXPECT_EQ(fromRaw<Explainer>(toRaw(e)), e) << toRaw(e);
    }
    EXPECT_EQ(raws.size(), 26u);
    EXPECT_EQ(toRaw(Explainer::memPressure), "memPressure");
    EXPECT_FALSE(fromRaw<Explainer>("CPU"));
}

TEST(Explainer, EveryCaseHasASymbolAndItsOwnTextsInBothLanguages) {
    std::vector<std::pair<std::string, std::string>> english;
    {
        test::ScopedLanguage scope("en");
        for (Explainer e : allExplainers) english.emplace_back(L::explainerSimple(e), L::explainerDetailed(e));
    }
    test::ScopedLanguage scope("es");
    std::set<std::string> seen;
    for (Explainer e : allExplainers) {
        const auto& [simple, detailed] = english[static_cast<std::size_t>(e)];
        EXPECT_FALSE(icon(e).empty()) << toRaw(e);
        EXPECT_FALSE(simple.empty()) << toRaw(e);
        EXPECT_GT(detailed.size(), simple.size()) << toRaw(e);
        EXPECT_FALSE(L::explainerSimple(e).empty()) << toRaw(e);
        EXPECT_GT(L::explainerDetailed(e).size(), L::explainerSimple(e).size()) << toRaw(e);
        EXPECT_NE(L::explainerSimple(e), simple) << toRaw(e);
        EXPECT_NE(L::explainerDetailed(e), detailed) << toRaw(e);
        EXPECT_TRUE(seen.insert(detailed).second) << "shared text: " << toRaw(e);
    }
}

TEST(AdviceTexts, SampleVerbatimInBothLanguages) {
    test::expectBothLanguages({
        {[] { return L::explainerDetailed(Explainer::battHealth); },
         "A new battery holds 100% of its original capacity. Over time it shrinks, like a water bottle slowly "
         "getting smaller. 80%+ is healthy. Below 80%, Apple considers it \"consumed.\"",
         "Una batería nueva almacena el 100% de su capacidad original. Con el tiempo se reduce, como una botella de "
         "agua que se hace más pequeña. 80%+ es saludable. Por debajo del 80%, Apple la considera \"consumida\"."},
        {[] { return L::tipHealthPrediction(14).title + "|" + L::tipHealthPrediction(14).detail; },
         "Battery health at 80% in ~14 months|At your current usage pattern, the battery may need service by then. "
         "80% is when Apple considers it \"consumed.\" Good habits can push this date further out.",
         "Salud de batería al 80% en ~14 meses|Con tu patrón de uso actual, la batería podría necesitar servicio para "
         "entonces. El 80% es cuando Apple la considera \"consumida\". Buenos hábitos pueden retrasar esta fecha."},
        {[] { return L::factProfile("Developer", "Building things."); },
         "Corvelle classifies you as a \"Developer\" user. Building things.",
         "Corvelle te clasifica como un usuario \"Developer\". Building things."},
        {[] { return L::tipBatteryCriticalWho("A (30%)"); },
         "A (30%) are still draining power. Save your work and plug in now.",
         "A (30%) siguen drenando energía. Guarda tu trabajo y conecta el cargador ya."},
        {[] { return L::tipBatteryCriticalWho(""); }, "Save your work and plug in now.",
         "Guarda tu trabajo y conecta el cargador ya."},
        {[] { return L::tipBatteryLow(L::tipBatteryLowExtra("")).detail; },
         "Turn on Low Power Mode: System Settings → Battery.",
         "Activa el modo de bajo consumo: Ajustes del Sistema → Batería."},
        {[] { return L::tipProfileMeetingWarning(1); }, "~1 min left", "~1 min restantes"},
        {[] { return L::factFanContext(L::fanContextDescription(0), "0 RPM"); },
         "Fans are barely spinning — your Mac is cool and quiet. Current speed: 0 RPM.",
         "Los ventiladores apenas giran: tu Mac está fresco y silencioso. Velocidad actual: 0 RPM."},
    });
}

TEST(AdviceTexts, TemperatureAnalogyBands) {
    const struct {
        double celsius;
        const char* english;
    } cases[] = {
        {-5, "room temperature — barely working"}, {39.9, "room temperature — barely working"},
        {40, "a warm cup of tea"},                 {54.9, "a warm cup of tea"},
        {55, "a hot cup of coffee"},               {69.9, "a hot cup of coffee"},
        {70, "a very hot shower"},                 {84.9, "a very hot shower"},
        {85, "boiling water territory — very hot!"},
    };
    test::ScopedLanguage english("en");
    for (const auto& c : cases) EXPECT_EQ(L::tempAnalogy(c.celsius), c.english) << c.celsius;
    test::ScopedLanguage spanish("es");
    EXPECT_EQ(L::tempAnalogy(69.9), "una taza de cafe caliente");
    EXPECT_EQ(L::tempAnalogy(70), "una ducha muy caliente");
}

TEST(AdviceTexts, FanDescriptionBands) {
    const std::string barely = "Fans are barely spinning — your Mac is cool and quiet.";
    const std::string gently = "Fans are gently spinning to keep things comfortable.";
    const std::string moderately = "Fans are working moderately — your Mac is warm.";
    const std::string blast = "Fans are going full blast — your Mac really needs cooling right now!";
    const struct {
        std::int32_t rpm;
        const std::string& expected;
    } cases[] = {{1499, barely}, {1500, gently}, {2999, gently}, {3000, moderately}, {4999, moderately}, {5000, blast}};
    test::ScopedLanguage english("en");
    for (const auto& c : cases) EXPECT_EQ(L::fanContextDescription(c.rpm), c.expected) << c.rpm;
}

}  // namespace
}  // namespace corvelle
