#include "ImageProbe.h"
#include "PanelHarness.h"
#include "Screenshots.h"
#include "support/ScopedLanguage.h"

#include <QApplication>
#include <QDir>
#include <QPalette>

#include <gtest/gtest.h>

namespace corvelle {
namespace {

// The panel as it opens on the overview tab, beside the whole tab as it scrolls, for every
// store, language and theme; saved under artifacts/ for a look.
TEST(OverviewScreenshotTest, PanelsInBothLanguagesAndThemes) {
    const QString folder = QStringLiteral(CORVELLE_ARTIFACTS_DIR);
    QDir().mkpath(folder);
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
                QCoreApplication::sendPostedEvents();
                const QImage panel = view->grab().toImage();
                const QImage content = view->tabContent()->grab().toImage();
                EXPECT_GT(content.height(), panel.height()) << "the overview scrolls";
                EXPECT_GT(test::countNear(content, view->palette().color(QPalette::WindowText)), 2000) << "text shows";
                const QImage sheet = test::sideBySide(panel, content, dark);
                const QString name = QStringLiteral("%1/overview-%2-%3-%4.png")
                                         .arg(folder, recorded ? "ten-days" : "empty", language, dark ? "dark" : "light");
                EXPECT_TRUE(sheet.save(name)) << name.toStdString();
            }
        }
    }
    QApplication::setPalette(original);
}

}  // namespace
}  // namespace corvelle
