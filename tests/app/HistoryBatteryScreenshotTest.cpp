#include "PanelHarness.h"
#include "Screenshots.h"
#include "app/views/components/SegmentedPicker.h"
#include "app/views/tabs/HistoryTab.h"
#include "app/views/tabs/history/EnergyCard.h"

#include <QPushButton>

#include <gtest/gtest.h>

namespace corvelle {
namespace {

// Both tabs on a machine without battery and an empty store, and with a battery and 90 generated days, in both languages and themes; the
// history tab on its All range. Saved under artifacts/ for a look.
TEST(HistoryBatteryScreenshotTest, TabsInBothLanguagesAndThemes) {
    for (bool recorded : {false, true}) {
        auto harness = recorded ? std::make_unique<test::PanelHarness>(test::PanelHarness::Generated{90})
                                : std::make_unique<test::PanelHarness>(false);
        harness->publishBusyMoment();
        if (!recorded) {
            // A desktop: no battery at all.
            SystemStats stats = test::busyMoment();
            stats.batteryPercentage = stats.batteryWatts = 0;
            harness->monitor().stats().set(stats);
        }
        test::inEveryLanguageAndTheme([&](const QString& variant, bool dark) {
            const QString suffix = QStringLiteral("%1-%2").arg(recorded ? "ninety-days" : "empty", variant);
            auto battery = harness->panel(nullptr, false, 3);
            battery->show();
            test::saveSheet(*battery, "battery-" + suffix, dark, recorded ? 800 : 300);
            auto history = harness->panel(nullptr, false, 4);
            history->show();
            dynamic_cast<HistoryTab&>(*history->tabContent()).energy().picker().segments()[3]->click();
            test::saveSheet(*history, "history-" + suffix, dark, 1500);
        });
    }
}

}  // namespace
}  // namespace corvelle
