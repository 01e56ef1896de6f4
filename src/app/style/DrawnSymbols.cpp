#include "app/style/DrawnSymbols.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <algorithm>

namespace corvelle::DrawnSymbols {
namespace {

// A lightning bolt in the unit square, scaled into `box`.
QPolygonF boltPolygon(const QRectF& box) {
    static const QPointF unit[] = {{0.62, 0.0}, {0.14, 0.57}, {0.46, 0.57}, {0.38, 1.0}, {0.86, 0.43}, {0.54, 0.43}};
    QPolygonF polygon;
    for (const auto& point : unit) {
        polygon << QPointF(box.left() + point.x() * box.width(), box.top() + point.y() * box.height());
    }
    return polygon;
}

// A question mark filling `box`: a hook over a short stem, and a dot.
void paintQuestionMark(QPainter& painter, const QRectF& box, const QColor& color) {
    const double stroke = std::max(1.0, box.height() * 0.16);
    const double w = box.height() * 0.55;
    const QRectF hook(box.center().x() - w / 2, box.top() + stroke / 2, w, box.height() * 0.5);
    QPainterPath path;
    path.arcMoveTo(hook, 180);
    path.arcTo(hook, 180, -270);
    path.lineTo(box.center().x(), box.top() + box.height() * 0.68);
    painter.setPen(QPen(color, stroke, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    painter.drawEllipse(QPointF(box.center().x(), box.bottom() - stroke * 0.6), stroke * 0.6, stroke * 0.6);
}

}  // namespace

void paintBattery(QPainter& painter, const QRectF& box, const BatteryLook& look) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const double h = box.height();
    const double stroke = std::max(1.0, h * 0.1);
    const double nubWidth = std::max(1.0, box.width() * 0.07);
    const QRectF body(box.left() + stroke / 2, box.top() + stroke / 2, box.width() - nubWidth - stroke * 1.5,
                      h - stroke);
    const double radius = h * 0.22;

    painter.setPen(QPen(look.outline, stroke));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(body, radius, radius);
    painter.setPen(Qt::NoPen);
    painter.setBrush(look.outline);
    const QRectF nub(body.right() + stroke / 2 + stroke * 0.4, box.top() + h * 0.32, nubWidth, h * 0.36);
    painter.drawRoundedRect(nub, nubWidth * 0.45, nubWidth * 0.45);

    const QRectF interior = body.adjusted(stroke * 1.1, stroke * 1.1, -stroke * 1.1, -stroke * 1.1);
    const double level = std::clamp(look.level, 0.0, 1.0);
    if (level > 0) {
        painter.setBrush(look.fill);
        const double inner = std::max(0.0, radius - stroke * 1.2);
        painter.drawRoundedRect(QRectF(interior.topLeft(), QSizeF(interior.width() * level, interior.height())),
                                inner, inner);
    }
    if (look.questionMark) paintQuestionMark(painter, interior, look.outline);
    if (look.bolt) {
        const double boltHeight = body.height() * 1.05;
        const QRectF boltBox(body.center().x() - boltHeight * 0.32, body.center().y() - boltHeight / 2,
                             boltHeight * 0.64, boltHeight);
        const QPolygonF bolt = boltPolygon(boltBox);
        painter.setCompositionMode(QPainter::CompositionMode_Clear);
        painter.setPen(QPen(Qt::black, stroke * 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPolygon(bolt);
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        painter.setPen(Qt::NoPen);
        painter.setBrush(look.boltColor);
        painter.drawPolygon(bolt);
    }
    painter.restore();
}

void paintPlug(QPainter& painter, const QRectF& box, const QColor& color, bool filled) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const double side = std::min(box.width(), box.height());
    const QRectF square(box.center().x() - side / 2, box.center().y() - side / 2, side, side);
    const double stroke = std::max(1.0, side * 0.09);
    const double bodyWidth = side * 0.62;
    const QRectF body(square.center().x() - bodyWidth / 2, square.top() + side * 0.3, bodyWidth, side * 0.4);
    painter.setBrush(color);
    painter.setPen(Qt::NoPen);
    const double prongWidth = std::max(1.0, side * 0.1);
    for (double x : {body.left() + bodyWidth * 0.22, body.right() - bodyWidth * 0.22 - prongWidth}) {
        painter.drawRect(QRectF(x, square.top() + side * 0.04, prongWidth, side * 0.28));
    }
    if (filled) {
        painter.drawRoundedRect(body, side * 0.1, side * 0.1);
    } else {
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(color, stroke));
        painter.drawRoundedRect(body.adjusted(stroke / 2, stroke / 2, -stroke / 2, -stroke / 2), side * 0.08,
                                side * 0.08);
        painter.setPen(Qt::NoPen);
        painter.setBrush(color);
    }
    const double cableWidth = std::max(1.0, side * 0.14);
    painter.drawRect(QRectF(square.center().x() - cableWidth / 2, body.bottom() - 0.5, cableWidth,
                            square.bottom() - body.bottom() + 0.5));
    painter.restore();
}

void paintTortoise(QPainter& painter, const QRectF& box, const QColor& color) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const double side = std::min(box.width(), box.height());
    const QRectF square(box.center().x() - side / 2, box.center().y() - side / 2, side, side);
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    // Shell: the upper half of an ellipse.
    const QRectF shell(square.left() + side * 0.08, square.top() + side * 0.28, side * 0.66, side * 0.6);
    QPainterPath dome;
    dome.moveTo(shell.left(), shell.center().y());
    dome.arcTo(shell, 180, -180);
    dome.closeSubpath();
    painter.drawPath(dome);
    // Head and legs.
    painter.drawEllipse(QRectF(square.left() + side * 0.72, square.top() + side * 0.42, side * 0.22, side * 0.18));
    const double legWidth = side * 0.12;
    for (double x : {shell.left() + side * 0.08, shell.right() - side * 0.2}) {
        painter.drawRoundedRect(QRectF(x, shell.center().y() - 1, legWidth, side * 0.18), legWidth / 3, legWidth / 3);
    }
    painter.restore();
}

void paintPlaceholder(QPainter& painter, const QRectF& box, const QColor& color) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const double side = std::min(box.width(), box.height());
    const double stroke = std::max(1.0, side * 0.08);
    QPen pen(color, stroke, Qt::DashLine);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    const QRectF square(box.center().x() - side * 0.35, box.center().y() - side * 0.35, side * 0.7, side * 0.7);
    painter.drawRoundedRect(square, side * 0.12, side * 0.12);
    painter.restore();
}

}  // namespace corvelle::DrawnSymbols
