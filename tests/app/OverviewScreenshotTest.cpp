#include "PanelHarness.h"
#include "Screenshots.h"

#include <gtest/gtest.h>

namespace corvelle {
namespace {

// The panel as it opens on the overview tab, beside the whole tab as it scrolls, for every
// store, language and theme; saved under artifacts/ for a look.
TEST(OverviewScreenshotTest, PanelsInBothLanguagesAndThemes) {
    for (bool recorded : {false, true}) {
        test::PanelHarness harness(recorded);
        harness.publishBusyMoment();
        test::inEveryLanguageAndTheme([&](const QString& variant, bool dark) {
            auto view = harness.panel();
            view->show();
            const QString name = QStringLiteral("overview-%1-%2").arg(recorded ? "ten-days" : "empty", variant);
            EXPECT_GT(test::saveSheet(*view, name, dark, 2000).height(), view->height()) << "the overview scrolls";
        });
    }
}

}  // namespace
}  // namespace corvelle
