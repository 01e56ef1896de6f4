#include "app/components/GaugeView.h"

#include "app/style/Palette.h"
#include "app/style/SymbolIcon.h"
#include "present/ChartRules.h"
#include "util/Format.h"

#include <QPainter>

namespace corvelle {
namespace {

constexpr int gap = 6;
constexpr int iconSide = 14;
constexpr double ringWidth = 5;

}  // namespace

GaugeView::GaugeView(std::string icon, SystemColor color, QWidget* parent)
    : QWidget(parent), icon_(std::move(icon)), color_(color) {
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

void GaugeView::setValue(double percent) {
    if (percent == value_) return;
    value_ = percent;
    describe();
}

void GaugeView::setLabel(const std::string& label) {
    const QString text = QString::fromStdString(label);
    if (text == label_) return;
    label_ = text;
    updateGeometry();
    describe();
}

void GaugeView::describe() {
    setAccessibleName(label_ + " " + QString::fromStdString(formatString("%.1f%%", value_)));
    update();
}

QSize GaugeView::sizeHint() const {
    // Advances are rounded: a little room keeps the label from being elided at its own width.
    const int text = label_.isEmpty() ? 0 : gap + std::max(iconSide, fontMetrics().horizontalAdvance(label_) + 2);
    return {ringSide + text, ringSide};
}

void GaugeView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF ring = QRectF(0, 0, ringSide, ringSide).adjusted(ringWidth / 2, ringWidth / 2, -ringWidth / 2, -ringWidth / 2);
    QColor track = Palette::color(SystemColor::primary);
    track.setAlphaF(0.1);
    painter.setPen(QPen(track, ringWidth));
    painter.drawEllipse(ring);
    const QColor ringColor = Palette::color(ChartRules::gaugeColor(value_));
    painter.setPen(QPen(ringColor, ringWidth, Qt::SolidLine, Qt::RoundCap));
    // Qt counts sixteenths of a degree, counter-clockwise from three o'clock: start at twelve, run clockwise.
    const int span = -static_cast<int>(ChartRules::gaugeFraction(value_) * 360 * 16);
    if (span != 0) painter.drawArc(ring, 90 * 16, span);

    QFont small = font();
    small.setPointSizeF(small.pointSizeF() * 0.8);
    small.setBold(true);
    painter.setFont(small);
    painter.setPen(Palette::color(SystemColor::primary));
    painter.drawText(QRectF(0, 0, ringSide, ringSide), Qt::AlignCenter, QString::fromStdString(formatString("%.1f%%", value_)));
    if (label_.isEmpty()) return;

    const double left = ringSide + gap;
    const double top = (ringSide - iconSide - fontMetrics().height() - 2) / 2.0;
    painter.drawPixmap(QPointF(left, top), SymbolIcon::pixmap(icon_, iconSide, Palette::color(color_), devicePixelRatioF()));
    painter.setFont(font());
    painter.setPen(Palette::color(SystemColor::secondary));
    painter.drawText(QRectF(left, top + iconSide + 2, width() - left, fontMetrics().height()), Qt::AlignLeft | Qt::AlignVCenter,
                     fontMetrics().elidedText(label_, Qt::ElideRight, static_cast<int>(width() - left)));
}

}  // namespace corvelle
