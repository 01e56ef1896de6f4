#include "PanelHarness.h"
#include "Screenshots.h"
#include "support/ScopedLanguage.h"

#include <gtest/gtest.h>

namespace corvelle {
namespace {

// The panel as it opens on the overview tab, beside the whole tab as it scrolls, for every
// store, language and theme; saved under artifacts/ for a look.
TEST(OverviewScreenshotTest, PanelsInBothLanguagesAndThemes) {
    const QPalette original = QApplication::palette();
    for (bool recorded : {false, true}) {
        test::PanelHarness harness(recorded);
        harness.publishBusyMoment();
        for (const char* language : {"en", "es"}) {
            test::ScopedLanguage scoped(language);
            for (bool dark : {false, true}) {
                QApplication::setPalette(test::themePalette(dark));
                auto view = harness.panel();
                view->show();
                const QString name = QStringLiteral("overview-%1-%2-%3")
                                         .arg(recorded ? "ten-days" : "empty", language, dark ? "dark" : "light");
                const QImage content = test::saveSheet(*view, name, dark, 2000);
                EXPECT_GT(content.height(), view->height()) << "the overview scrolls";
            }
        }
    }
    QApplication::setPalette(original);
}

}  // namespace
}  // namespace corvelle
