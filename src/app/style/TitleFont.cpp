#include "app/style/TitleFont.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGuiApplication>

namespace corvelle::TitleFont {

bool hasEqualDigits(const QFont& font) {
    const QFontMetricsF metrics(font);
    const qreal zero = metrics.horizontalAdvance(QLatin1Char('0'));
    for (char digit = '1'; digit <= '9'; ++digit) {
        if (!qFuzzyCompare(metrics.horizontalAdvance(QLatin1Char(digit)), zero)) return false;
    }
    return true;
}

QFont make(const MenuBarTitle::Font& font) {
    const QFont standard = QGuiApplication::font();
    QFont result = standard;
    if (font.monospacedDigits && !hasEqualDigits(result)) {
        result = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        if (standard.pointSizeF() > 0) {
            result.setPointSizeF(standard.pointSizeF());
        } else {
            result.setPixelSize(standard.pixelSize());
        }
    }
    result.setWeight(font.weight == MenuBarTitle::Weight::semibold ? QFont::DemiBold
                     : font.weight == MenuBarTitle::Weight::medium ? QFont::Medium
                                                                   : QFont::Normal);
    return result;
}

}  // namespace corvelle::TitleFont
