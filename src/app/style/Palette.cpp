#include "app/style/Palette.h"

#include <QGuiApplication>
#include <QPalette>

namespace corvelle::Palette {

bool isDark(const QPalette& palette) { return palette.color(QPalette::Window).lightness() < 128; }

bool isDark() { return isDark(QGuiApplication::palette()); }

QColor color(SystemColor name, bool dark) {
    switch (name) {
        case SystemColor::green: return dark ? QColor(48, 209, 88) : QColor(40, 167, 69);
        case SystemColor::blue: return dark ? QColor(10, 132, 255) : QColor(0, 110, 230);
        case SystemColor::orange: return dark ? QColor(255, 159, 10) : QColor(230, 126, 0);
        case SystemColor::red: return dark ? QColor(255, 69, 58) : QColor(215, 38, 30);
        case SystemColor::yellow: return dark ? QColor(255, 214, 10) : QColor(190, 145, 0);
        case SystemColor::purple: return dark ? QColor(191, 90, 242) : QColor(150, 60, 200);
        case SystemColor::primary: return dark ? QColor(255, 255, 255, 230) : QColor(0, 0, 0, 220);
        case SystemColor::secondary: return dark ? QColor(235, 235, 245, 165) : QColor(60, 60, 67, 165);
        case SystemColor::tertiary: return dark ? QColor(235, 235, 245, 95) : QColor(60, 60, 67, 95);
    }
    return dark ? Qt::white : Qt::black;
}

QColor color(SystemColor name) { return color(name, isDark()); }

QColor accent() { return color(SystemColor::blue); }

}  // namespace corvelle::Palette
