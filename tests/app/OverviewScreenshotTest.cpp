#include "ImageProbe.h"
#include "PanelHarness.h"
#include "support/ScopedLanguage.h"

#include <QApplication>
#include <QDir>
#include <QStyle>
#include <QPainter>
#include <QPalette>

#include <gtest/gtest.h>

namespace corvelle {
namespace {

QPalette themePalette(bool dark) {
    if (!dark) return QApplication::style()->standardPalette();
    QPalette palette;
    for (auto role : {QPalette::Window, QPalette::Button}) palette.setColor(role, QColor(36, 36, 38));
    palette.setColor(QPalette::Base, QColor(28, 28, 30));
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) palette.setColor(role, QColor(235, 235, 240));
    return palette;
}

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
                QApplication::setPalette(themePalette(dark));
                auto view = harness.panel();
                view->show();
                QCoreApplication::sendPostedEvents();
                const QImage panel = view->grab().toImage();
                const QImage content = view->tabContent()->grab().toImage();
                EXPECT_GT(content.height(), panel.height()) << "the overview scrolls";
                EXPECT_GT(test::countNear(content, view->palette().color(QPalette::WindowText)), 2000) << "text shows";
                QImage sheet(panel.width() + content.width() + 16, std::max(panel.height(), content.height()),
                             QImage::Format_ARGB32);
                sheet.fill(dark ? QColor(10, 10, 10) : QColor(200, 200, 200));
                QPainter painter(&sheet);
                painter.drawImage(0, 0, panel);
                painter.drawImage(panel.width() + 16, 0, content);
                painter.end();
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
