#include "app/status/BatteryIconPainter.h"

#include "app/views/components/DrawnSymbols.h"
#include "app/views/components/Palette.h"
#include "app/views/components/SymbolIcon.h"

#include <QPainter>

#include <cmath>

namespace corvelle::BatteryIconPainter {
namespace {

QImage blank(int width, int height, qreal ratio) {
    QImage image(QSize(width, height) * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    return image;
}

int badgeHeight(int height) { return std::max(4, static_cast<int>(std::lround(height * 0.62))); }
int badgeWidth(int height) { return std::max(3, static_cast<int>(std::lround(badgeHeight(height) * 0.72))); }

void paintBattery(QPainter& painter, const SymbolIcon::Battery& battery, int height, const QColor& state, bool dark) {
    const double shapeHeight = height * 0.8;
    const QRectF shape(0, (height - shapeHeight) / 2, batteryWidth(height), shapeHeight);
    DrawnSymbols::paintBattery(painter, shape,
                               {battery.level, Palette::color(SystemColor::secondary, dark), state, battery.bolt,
                                Palette::color(SystemColor::primary, dark)});
}

}  // namespace

int batteryWidth(int height) { return std::max(2, static_cast<int>(std::lround(height * 0.8 * DrawnSymbols::batteryAspect))); }

QImage render(const BatteryIcon& icon, int height, bool dark, qreal devicePixelRatio) {
    height = std::max(4, height);
    const auto battery = SymbolIcon::batterySymbol(icon.symbolName).value_or(SymbolIcon::Battery{1.0, false});
    const int width = batteryWidth(height) + (icon.plugBadge ? badgeWidth(height) + 1 : 0);
    QImage image = blank(width, height, devicePixelRatio);
    QPainter painter(&image);
    paintBattery(painter, battery, height, Palette::color(icon.color, dark), dark);
    if (icon.plugBadge) {
        const QRectF badge(batteryWidth(height) + 1, (height - badgeHeight(height)) / 2.0, badgeWidth(height),
                           badgeHeight(height));
        DrawnSymbols::paintPlug(painter, badge, Palette::color(SystemColor::blue, dark), true);
    }
    return image;
}

QImage placeholder(int height, bool dark, qreal devicePixelRatio) {
    BatteryIcon full;
    full.symbolName = "battery.100";
    full.color = SystemColor::secondary;
    return render(full, height, dark, devicePixelRatio);
}

}  // namespace corvelle::BatteryIconPainter
