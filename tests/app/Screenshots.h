#pragma once

#include "ImageProbe.h"
#include "app/panel/Panel.h"
#include "support/ScopedLanguage.h"

#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QPalette>
#include <QStyle>

#include <gtest/gtest.h>

#include <functional>

namespace corvelle::test {

// Runs `draw` in English and Spanish, each in the light and the dark theme, with that language and
// palette set; `variant` is "<language>-<light|dark>". The palette is restored afterwards.
inline void inEveryLanguageAndTheme(const std::function<void(const QString& variant, bool dark)>& draw) {
    const QPalette original = QApplication::palette();
    QPalette darkTheme;
    for (auto role : {QPalette::Window, QPalette::Button}) darkTheme.setColor(role, QColor(36, 36, 38));
    darkTheme.setColor(QPalette::Base, QColor(28, 28, 30));
    darkTheme.setColor(QPalette::PlaceholderText, QColor(150, 150, 155));
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) darkTheme.setColor(role, QColor(235, 235, 240));
    for (const char* language : {"en", "es"}) {
        ScopedLanguage scoped(language);
        for (bool dark : {false, true}) {
            QApplication::setPalette(dark ? darkTheme : QApplication::style()->standardPalette());
            draw(QStringLiteral("%1-%2").arg(language, dark ? "dark" : "light"), dark);
        }
    }
    QApplication::setPalette(original);
}

// Saves the shown panel beside its whole tab content as artifacts/`name`.png and checks that
// at least `textPixels` of text show; returns the content.
inline QImage saveSheet(Panel& view, const QString& name, bool dark, int textPixels) {
    const QString folder = QStringLiteral(CORVELLE_ARTIFACTS_DIR);
    QDir().mkpath(folder);
    QCoreApplication::sendPostedEvents();
    const QImage panel = view.grab().toImage();
    const QImage content = view.tabContent()->grab().toImage();
    EXPECT_GT(countNear(content, view.palette().color(QPalette::WindowText)), textPixels) << "text shows in " << name.toStdString();
    QImage sheet(panel.width() + content.width() + 16, std::max(panel.height(), content.height()), QImage::Format_ARGB32);
    sheet.fill(dark ? QColor(10, 10, 10) : QColor(200, 200, 200));
    QPainter painter(&sheet);
    painter.drawImage(0, 0, panel);
    painter.drawImage(panel.width() + 16, 0, content);
    painter.end();
    EXPECT_TRUE(sheet.save(folder + "/" + name + ".png")) << name.toStdString();
    return content;
}

}  // namespace corvelle::test
