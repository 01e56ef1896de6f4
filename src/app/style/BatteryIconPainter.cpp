#include "app/style/BatteryIconPainter.h"

#include "app/style/DrawnSymbols.h"
#include "app/style/Palette.h"
#include "app/style/SymbolIcon.h"

#include <QPainter>

#include <cmath>

namespace corvelle::BatteryIconPainter {
namespace {

// The colours of one picture: outline, level, bolt and plug badge.
struct Ink {
    QColor outline;
    QColor state;
    QColor bolt;
    QColor badge;
};

Ink themeInk(const BatteryIcon& icon, bool dark) {
    return {Palette::color(SystemColor::secondary, dark), Palette::color(icon.color, dark),
            Palette::color(SystemColor::primary, dark), Palette::color(SystemColor::blue, dark)};
}

// A tray does not say whether its bar is light or dark: an opaque mid grey and the deeper
// state colours read on both.
Ink trayInk(const BatteryIcon& icon) {
    const QColor grey(142, 142, 147);
    return {grey, icon.color == SystemColor::secondary ? grey : Palette::color(icon.color, false), grey,
            Palette::color(SystemColor::blue, false)};
}

QImage blank(int width, int height, qreal ratio) {
    QImage image(QSize(width, height) * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    return image;
}

int badgeHeight(int height) { return std::max(4, static_cast<int>(std::lround(height * 0.62))); }
int badgeWidth(int height) { return std::max(3, static_cast<int>(std::lround(badgeHeight(height) * 0.72))); }

int width(const BatteryIcon& icon, int height) {
    return batteryWidth(height) + (icon.plugBadge ? badgeWidth(height) + 1 : 0);
}

// A machine without a battery: a small monitor on its stand, in the outline colour.
void paintMonitor(QPainter& painter, const QRectF& box, const QColor& color) {
    painter.setRenderHint(QPainter::Antialiasing);
    const double line = std::max(1.0, box.height() / 10);
    painter.setPen(QPen(color, line));
    painter.setBrush(Qt::NoBrush);
    const QRectF screen(box.left() + line / 2, box.top() + line / 2, box.width() - line, box.height() * 0.7);
    painter.drawRoundedRect(screen, line, line);
    const double foot = box.bottom() - line / 2;
    painter.drawLine(QPointF(box.center().x(), screen.bottom()), QPointF(box.center().x(), foot));
    painter.drawLine(QPointF(box.left() + box.width() * 0.3, foot), QPointF(box.right() - box.width() * 0.3, foot));
}

QImage draw(const BatteryIcon& icon, int height, const Ink& ink, qreal devicePixelRatio) {
    height = std::max(4, height);
    if (icon.symbolName == "desktopcomputer") {
        QImage image = blank(batteryWidth(height), height, devicePixelRatio);
        QPainter painter(&image);
        paintMonitor(painter, QRectF(0, 0, batteryWidth(height), height), ink.outline);
        return image;
    }
    const auto battery = SymbolIcon::batterySymbol(icon.symbolName).value_or(SymbolIcon::Battery{1.0, false});
    QImage image = blank(width(icon, height), height, devicePixelRatio);
    QPainter painter(&image);
    const double shapeHeight = height * 0.8;
    const QRectF shape(0, (height - shapeHeight) / 2, batteryWidth(height), shapeHeight);
    DrawnSymbols::paintBattery(painter, shape,
                               {battery.level, ink.outline, ink.state, battery.bolt, ink.bolt, battery.unknown});
    if (icon.plugBadge) {
        const QRectF badge(batteryWidth(height) + 1, (height - badgeHeight(height)) / 2.0, badgeWidth(height),
                           badgeHeight(height));
        DrawnSymbols::paintPlug(painter, badge, ink.badge, true);
    }
    return image;
}

}  // namespace

int batteryWidth(int height) { return std::max(2, static_cast<int>(std::lround(height * 0.8 * DrawnSymbols::batteryAspect))); }

QImage render(const BatteryIcon& icon, int height, bool dark, qreal devicePixelRatio) {
    return draw(icon, height, themeInk(icon, dark), devicePixelRatio);
}

QImage trayPicture(const BatteryIcon& icon, int side) {
    int height = std::max(4, side);
    while (height > 4 && width(icon, height) > side) --height;
    const QImage picture = draw(icon, height, trayInk(icon), 1.0);
    QImage image = blank(side, side, 1.0);
    QPainter painter(&image);
    painter.drawImage((side - picture.width()) / 2, (side - picture.height()) / 2, picture);
    return image;
}

BatteryIcon placeholderIcon() {
    BatteryIcon full;
    full.symbolName = "battery.100";
    full.color = SystemColor::secondary;
    return full;
}

QImage placeholder(int height, bool dark, qreal devicePixelRatio) {
    return render(placeholderIcon(), height, dark, devicePixelRatio);
}

}  // namespace corvelle::BatteryIconPainter
