#include "app/tabs/processes/SortHeader.h"

#include "app/style/Palette.h"
#include "app/style/SymbolIcon.h"

#include <QPainter>

#include <algorithm>

namespace corvelle {
namespace {

constexpr int chevronSize = 8;
constexpr int chevronGap = 3;

}  // namespace

SortHeader::SortHeader(Title title, Qt::Alignment alignment, QWidget* parent)
    : QAbstractButton(parent), title_(title), alignment_(alignment) {
    QFont font = this->font();
    font.setPointSizeF(QFont().pointSizeF() * 0.92);
    font.setWeight(QFont::DemiBold);
    setFont(font);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    // Assistive technology reads the active column as checked.
    setCheckable(true);
    retranslate();
}

void SortHeader::retranslate() {
    setText(QString::fromStdString(title_()));
    setAccessibleName(text());
    updateGeometry();
}

void SortHeader::setActive(bool active, bool reversed) {
    if (active == active_ && (active && reversed) == reversed_) return;
    active_ = active;
    reversed_ = active && reversed;
    setChecked(active);
    update();
}

QSize SortHeader::sizeHint() const {
    const QFontMetrics metrics(font());
    return {metrics.horizontalAdvance(text()) + chevronGap + chevronSize + 4, metrics.height() + 2};
}

void SortHeader::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QColor color = Palette::color(SystemColor::secondary);
    if (hasFocus()) {
        QColor tint = Palette::color(SystemColor::primary);
        tint.setAlphaF(0.07);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(tint);
        painter.drawRoundedRect(QRectF(rect()), 4, 4);
    }
    const QFontMetrics metrics(font());
    const int contentWidth = metrics.horizontalAdvance(text()) + (active_ ? chevronGap + chevronSize : 0);
    int x = 0;
    if (alignment_ & Qt::AlignHCenter) x = (width() - contentWidth) / 2;
    if (alignment_ & Qt::AlignRight) x = width() - contentWidth;
    x = std::max(x, 0);
    painter.setPen(color);
    painter.drawText(QRect(x, 0, width() - x, height()), Qt::AlignLeft | Qt::AlignVCenter, text());
    if (!active_) return;
    const int chevronX = x + metrics.horizontalAdvance(text()) + chevronGap;
    painter.drawPixmap(chevronX, (height() - chevronSize) / 2,
                       SymbolIcon::pixmap(reversed_ ? "chevron.up" : "chevron.down", chevronSize, color, devicePixelRatioF()));
}

}  // namespace corvelle
