#include "app/components/ProminentButton.h"

#include "app/style/Palette.h"
#include "app/style/SymbolIcon.h"

#include <QPainter>
#include <QTimerEvent>

namespace corvelle {
namespace {

constexpr int iconSide = 14;
constexpr int gap = 6;

}  // namespace

ProminentButton::ProminentButton(QWidget* parent) : QAbstractButton(parent) {
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    QFont bold = font();
    bold.setBold(true);
    setFont(bold);
}

void ProminentButton::setLook(std::string symbol, bool busy) {
    symbol_ = std::move(symbol);
    busy_ = busy;
    if (busy_) {
        spin_.start(80, this);
    } else {
        spin_.stop();
    }
    update();
}

QSize ProminentButton::sizeHint() const {
    return {fontMetrics().horizontalAdvance(text()) + iconSide + gap + 32, 32};
}

void ProminentButton::timerEvent(QTimerEvent* event) {
    if (event->timerId() != spin_.timerId()) return QAbstractButton::timerEvent(event);
    angle_ = (angle_ + 30) % 360;
    update();
}

void ProminentButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    // Sending disables the button, but the progress indicator keeps its full colour.
    if (!isEnabled() && !busy_) painter.setOpacity(0.45);
    QColor background = Palette::accent();
    if (isDown()) background = background.darker(115);
    painter.setPen(hasFocus() ? QPen(background.lighter(140), 2) : Qt::NoPen);
    painter.setBrush(background);
    painter.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 7, 7);

    const int textWidth = fontMetrics().horizontalAdvance(text());
    const int left = (width() - iconSide - gap - textWidth) / 2;
    const QRectF icon(left, (height() - iconSide) / 2.0, iconSide, iconSide);
    if (busy_) {
        painter.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap));
        painter.setBrush(Qt::NoBrush);
        painter.drawArc(icon.adjusted(1, 1, -1, -1), -angle_ * 16, 270 * 16);
    } else {
        painter.drawPixmap(icon.topLeft(), SymbolIcon::pixmap(symbol_, iconSide, Qt::white, devicePixelRatioF()));
    }
    painter.setPen(Qt::white);
    painter.drawText(QRect(left + iconSide + gap, 0, textWidth + 1, height()), Qt::AlignVCenter | Qt::AlignLeft, text());
}

}  // namespace corvelle
