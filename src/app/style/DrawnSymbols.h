#pragma once

#include <QColor>
#include <QRectF>

class QPainter;

// The symbols the icon font lacks, drawn with the painter. Each fills the given box.
namespace corvelle::DrawnSymbols {

// Width over height of the battery shape, terminal included.
inline constexpr double batteryAspect = 2.0;

struct BatteryLook {
    double level = 1.0;  // filled fraction of the interior, 0 to 1
    QColor outline;
    QColor fill;
    bool bolt = false;
    QColor boltColor;
    bool questionMark = false;  // a level nobody knows, drawn in the outline colour
};

// A horizontal battery with its terminal on the right; the bolt is cut out of whatever lies
// under it so that it stays readable on any fill. A question mark stands in the interior of a
// battery whose level is unknown.
void paintBattery(QPainter& painter, const QRectF& box, const BatteryLook& look);
// A mains plug with its prongs up; `filled` gives a solid body.
void paintPlug(QPainter& painter, const QRectF& box, const QColor& color, bool filled);
void paintTortoise(QPainter& painter, const QRectF& box, const QColor& color);
// The neutral stand-in for a symbol nobody knows: a dashed rounded square.
void paintPlaceholder(QPainter& painter, const QRectF& box, const QColor& color);

}  // namespace corvelle::DrawnSymbols
