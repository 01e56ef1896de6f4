#pragma once

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QPalette>
#include <QStyle>

#include <algorithm>

namespace corvelle::test {

// The style's own light palette, or a dark one like a dark desktop theme's.
inline QPalette themePalette(bool dark) {
    if (!dark) return QApplication::style()->standardPalette();
    QPalette palette;
    for (auto role : {QPalette::Window, QPalette::Button}) palette.setColor(role, QColor(36, 36, 38));
    palette.setColor(QPalette::Base, QColor(28, 28, 30));
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) palette.setColor(role, QColor(235, 235, 240));
    return palette;
}

// The panel as it opens beside the whole of its tab as it scrolls, on a background of the theme.
inline QImage sideBySide(const QImage& panel, const QImage& content, bool dark) {
    QImage sheet(panel.width() + content.width() + 16, std::max(panel.height(), content.height()), QImage::Format_ARGB32);
    sheet.fill(dark ? QColor(10, 10, 10) : QColor(200, 200, 200));
    QPainter painter(&sheet);
    painter.drawImage(0, 0, panel);
    painter.drawImage(panel.width() + 16, 0, content);
    return sheet;
}

}  // namespace corvelle::test
