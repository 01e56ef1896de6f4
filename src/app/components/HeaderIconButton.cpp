#include "app/components/HeaderIconButton.h"

#include "app/style/Palette.h"
#include "app/style/SymbolIcon.h"

#include <QPainter>

namespace corvelle {

HeaderIconButton::HeaderIconButton(std::string symbol, Label label, std::function<void()> action, QWidget* parent)
    : QAbstractButton(parent), symbol_(std::move(symbol)), label_(std::move(label)) {
    retranslate();
    setFixedSize(sizeHint());
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    QObject::connect(this, &QAbstractButton::clicked, this, [action = std::move(action)] {
        if (action) action();
    });
}

void HeaderIconButton::setSymbol(std::string symbol) {
    symbol_ = std::move(symbol);
    update();
}

void HeaderIconButton::retranslate() {
    const QString text = QString::fromStdString(label_ ? label_() : std::string());
    setToolTip(text);
    setAccessibleName(text);
}

void HeaderIconButton::setActive(bool active) {
    active_ = active;
    // Assistive technology reads the state as checked or not.
    setCheckable(true);
    setChecked(active);
    update();
}

void HeaderIconButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QColor background = Qt::transparent;
    QColor foreground = Palette::color(SystemColor::secondary);
    if (active_) {
        foreground = Palette::accent();
        background = foreground;
        background.setAlphaF(0.15);
    } else if (hovering_) {
        foreground = Palette::color(SystemColor::primary);
        background = foreground;
        background.setAlphaF(0.1);
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(background);
    painter.drawRoundedRect(QRectF(rect()), 6, 6);
    const int side = 16;
    painter.drawPixmap((width() - side) / 2, (height() - side) / 2,
                       SymbolIcon::pixmap(symbol_, side, foreground, devicePixelRatioF()));
}

void HeaderIconButton::enterEvent(QEnterEvent* event) {
    hovering_ = true;
    update();
    QAbstractButton::enterEvent(event);
}

void HeaderIconButton::leaveEvent(QEvent* event) {
    hovering_ = false;
    update();
    QAbstractButton::leaveEvent(event);
}

}  // namespace corvelle
