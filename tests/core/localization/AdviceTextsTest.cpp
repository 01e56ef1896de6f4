#include "analysis/DidYouKnowEngine.h"
#include "localization/LAnalysis.h"
#include "localization/LExplainers.h"
#include "localization/LFacts.h"
#include "localization/LTips.h"
#include "model/Explainer.h"

#include "support/BilingualText.h"

#include <gtest/gtest.h>

#include <cctype>
#include <functional>
#include <set>

namespace corvelle {
namespace {

TEST(Explainer, EveryCaseHasASymbolAndItsOwnTextsInBothLanguages) {
    std::vector<std::pair<std::string, std::string>> english;
    std::set<std::string> terms;  // the quick guide's row names, of both languages
    {
        test::ScopedLanguage scope("en");
        for (Explainer e : allExplainers) english.emplace_back(L::explainerSimple(e), L::explainerDetailed(e));
        for (Explainer e : allExplainers) terms.insert(L::explainerTerm(e));
    }
    test::ScopedLanguage scope("es");
    std::set<std::string> seen, spanishTerms;
    for (Explainer e : allExplainers) {
        const auto& [simple, detailed] = english[static_cast<std::size_t>(e)];
        const auto& [spanishSimple, spanishDetailed] = std::pair(L::explainerSimple(e), L::explainerDetailed(e));
        EXPECT_FALSE(icon(e).empty()) << toRaw(e);
        // Each language has a short text and a longer detailed one, and the Spanish ones are translated.
        EXPECT_TRUE(!simple.empty() && detailed.size() > simple.size()) << toRaw(e);
        EXPECT_TRUE(!spanishSimple.empty() && spanishDetailed.size() > spanishSimple.size()) << toRaw(e);
        EXPECT_TRUE(spanishSimple != simple && spanishDetailed != detailed) << toRaw(e);
        EXPECT_TRUE(seen.insert(detailed).second) << "shared text: " << toRaw(e);
        EXPECT_TRUE(spanishTerms.insert(L::explainerTerm(e)).second) << "shared term: " << toRaw(e);
    }
    EXPECT_EQ(terms.size(), explainerCount) << "every term names itself in English too";
    EXPECT_FALSE(terms.contains(L::explainerPrompt()) || spanishTerms.contains(L::explainerPrompt()));
}

// "Mac" followed by anything but a lower-case letter, so "Machine" passes and "MacBook" does not.
bool namesAnotherSystem(const std::string& text) {
    for (const char* name : {"macOS", "Apple", "System Settings", "Ajustes del Sistema"}) {
        if (text.find(name) != std::string::npos) return true;
    }
    for (auto at = text.find("Mac"); at != std::string::npos; at = text.find("Mac", at + 1)) {
        if (at + 3 == text.size() || !std::islower(static_cast<unsigned char>(text[at + 3]))) return true;
    }
    return false;
}

TEST(AdviceTexts, SpeakOfThisComputerAndKeepTheirFiguresAndPlaceholders) {
    const auto whole = [](const TipContent& tip) { return tip.title + "|" + tip.detail; };
    const std::vector<std::pair<std::function<std::string()>, std::vector<std::string>>> texts{
        {[] { return L::subScoreReason("Thermal", true); }, {}},
        {[] { return L::usageProfileDescription(UsageProfile::light); }, {}},
        {[] { return L::factCoreArch(13, 17); }, {"13", "17"}},
        {[] { return L::factTempAnalogy("<t>", "<a>", true); }, {"<t>", "<a>", "P-cores"}},
        {[] { return L::factTempAnalogy("<t>", "<a>", false); }, {"<t>", "<a>", "CPU"}},
        {[] { return L::factMemoryLow("<p>", "<u>", "<t>", true); }, {"<p>", "<u>", "<t> GB", "zswap"}},
        {[] { return L::factMemoryLow("<p>", "<u>", "<t>", false); }, {"<p>", "<u>", "<t> GB", "RAM"}},
        {[] { return L::factMemoryMedium("<p>", "<u>", "<t>", true); }, {"<p>", "<u>", "<t> GB", "zswap"}},
        {[] { return L::factMemoryMedium("<p>", "<u>", "<t>", false); }, {"<p>", "<u>", "<t> GB"}},
        {[] { return L::factWattContext("<w>", "<n>"); }, {"<w>", "<n>"}},
        {[] { return L::fanContextDescription(0) + L::fanContextDescription(4000) + L::fanContextDescription(5000); },
         {}},
        {[] { return L::factProcessCount(13, 17); }, {"13", "17"}},
        {[&] { return whole(L::tipThermal("<s>")); }, {"<s>"}},
        {[&] { return whole(L::tipHighWatts("", "<w>")); }, {"<w>"}},
        {[&] { return whole(L::tipBatteryLow("<x>")); }, {"→", "<x>"}},
        {[&] { return whole(L::tipMemoryPressure("<w>")); }, {"<w>"}},
        {[] { return L::tipCPUBusyWho(std::nullopt, "") + L::tipCPUBusyWho("<n>", "<c>"); }, {"<n>", "<c>"}},
        {[&] { return whole(L::tipGreatEfficiency("<w>")); }, {"<w>"}},
        {[&] { return whole(L::tipCoresActive("<n>")); }, {"<n>", "3x"}},
        {[&] { return whole(L::tipFansSpinning("<n>", "<r>")); }, {"<n>", "<r>"}},
        {[&] { return whole(L::tipDiskBusy("<n>", "<t>")); }, {"<n>", "(<t>)"}},
        {[&] { return whole(L::tipNetworkActive("<n>", "<t>")); }, {"<n>", "<t>"}},
        {[&] { return whole(L::tipSuperIdle("<w>", "<h>")); }, {"<w>", "<h>"}},
        {[&] { return whole(L::tipMemoryEarly("<u>", "<t>", "<i>")); }, {"<u> GB", "<t> GB", "<i>"}},
        {[&] { return whole(L::tipHeavyApp("<n>", "<c>")); }, {"<n>", "<c>"}},
        {[&] { return whole(L::tipProfileDev("<n>", "<w>")); }, {"<n>", "<w>"}},
        {[&] { return whole(L::tipHealthPrediction(14)); }, {"~14", "80%"}},
        {[] {
             std::string all;
             for (Explainer e : allExplainers) all += L::explainerSimple(e) + "|" + L::explainerDetailed(e) + "|";
             return all;
         }, {"10%", "90%", "80%+", "50%", "1,000", "50°C", "70-85°C", "90°C", "3000+", "6000"}},
    };
    for (const char* language : {"en", "es"}) {
        test::ScopedLanguage scope(language);
        for (const auto& [make, figures] : texts) {
            const std::string text = make();
            EXPECT_FALSE(namesAnotherSystem(text)) << text;
            for (const auto& figure : figures) EXPECT_NE(text.find(figure), std::string::npos) << figure << ": " << text;
        }
    }
}

// Counts are the machine's and take the singular at one, in both languages; no active app, no "from".
TEST(AdviceTexts, ProcessCountTakesSingularAndPlural) {
    const auto start = [](std::int64_t processes, std::int64_t apps) {
        return [=] { return L::factProcessCount(processes, apps).substr(0, L::factProcessCount(processes, apps).find('.')); };
    };
    test::expectBothLanguages({
        {start(312, 4), "Your computer is running 312 processes from 4 active apps", "Tu equipo ejecuta 312 procesos de 4 apps activas"},
        {start(1, 1), "Your computer is running 1 process from 1 active app", "Tu equipo ejecuta 1 proceso de 1 app activa"},
        {start(40, 0), "Your computer is running 40 processes", "Tu equipo ejecuta 40 procesos"},
    });
}

// Each band ends exactly at its bound: the text changes there and nowhere inside a band.
TEST(AdviceTexts, TemperatureAndFanBandsChangeAtTheirBounds) {
    const auto bands = [](auto describe, std::vector<double> bounds, double below, double above) {
        std::set<std::string> seen{describe(below)};
        for (double bound : bounds) {
            EXPECT_EQ(describe(bound - 0.1), describe(below)) << bound;
            EXPECT_NE(describe(bound), describe(below)) << bound;
            below = bound;
            seen.insert(describe(bound));
        }
        EXPECT_EQ(describe(above), describe(below));
        EXPECT_EQ(seen.size(), bounds.size() + 1);
    };
    test::ScopedLanguage english("en");
    bands([](double c) { return L::tempAnalogy(c); }, {40, 55, 70, 85}, -5, 200);
    bands([](double rpm) { return L::fanContextDescription(static_cast<std::int32_t>(rpm)); }, {1500, 3000, 5000}, 0,
          9000);
}

}  // namespace
}  // namespace corvelle
