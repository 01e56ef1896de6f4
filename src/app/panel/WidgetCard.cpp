#include "app/panel/WidgetCard.h"

#include "app/style/Palette.h"
#include "app/style/SymbolIcon.h"
#include "localization/LShell.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QToolButton>
#include <QVBoxLayout>

namespace corvelle {
namespace {

QString css(const QColor& color) { return color.name(QColor::HexArgb); }

}  // namespace

WidgetCard::WidgetCard(PinnedWidget widget, const SystemStats& stats, bool isEditing, std::function<void()> onRemove,
                       QWidget* parent)
    : QFrame(parent),
      widget_(widget),
      icon_(new QLabel(this)),
      label_(new QLabel(this)),
      value_(new QLabel(this)),
      detail_(new QLabel(this)) {
    setMinimumWidth(96);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(10, 6, 10, 6);
    column->setSpacing(1);
    auto* top = new QHBoxLayout();
    top->setSpacing(4);
    top->addWidget(icon_);
    top->addWidget(label_, 1);
    if (isEditing) {
        auto* remove = new QToolButton(this);
        remove->setAutoRaise(true);
        remove->setIcon(SymbolIcon::icon("xmark.circle.fill", Palette::color(SystemColor::secondary)));
        remove->setIconSize(QSize(14, 14));
        remove->setAccessibleName(QString::fromStdString(L::removeWidget()));
        remove->setToolTip(remove->accessibleName());
        QObject::connect(remove, &QToolButton::clicked, this, [onRemove = std::move(onRemove)] {
            if (onRemove) onRemove();
        });
        top->addWidget(remove);
        removeButton_ = remove;
    }
    column->addLayout(top);
    QFont valueFont = value_->font();
    valueFont.setPointSizeF(valueFont.pointSizeF() * 1.25);
    valueFont.setBold(true);
    value_->setFont(valueFont);
    column->addWidget(value_);
    QFont small = detail_->font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    detail_->setFont(small);
    label_->setFont(small);
    column->addWidget(detail_);
    setStats(stats);
}

void WidgetCard::setStats(const SystemStats& stats) {
    auto content = widgetCardContent(widget_, stats);
    const bool first = label_->text().isEmpty();
    if (content == content_ && !first) return;
    // Symbols and colours are costly to set: only when they change, not with every figure.
    const bool restyle = first || content.color != content_.color || content.icon != content_.icon ||
                         content.detailIcon != content_.detailIcon;
    content_ = std::move(content);
    show(content_, restyle);
}

void WidgetCard::show(const WidgetCardContent& content, bool restyle) {
    label_->setText(QString::fromStdString(content.label));
    value_->setText(QString::fromStdString(content.value));
    if (content.detailIcon.empty()) detail_->setText(QString::fromStdString(content.detail));
    if (restyle) {
        const QColor accent = Palette::color(content.color);
        const QColor secondary = Palette::color(SystemColor::secondary);
        icon_->setPixmap(SymbolIcon::pixmap(content.icon, 14, accent, devicePixelRatioF()));
        if (!content.detailIcon.empty()) {
            detail_->setPixmap(SymbolIcon::pixmap(content.detailIcon, 12, secondary, devicePixelRatioF()));
        }
        label_->setStyleSheet("color: " + css(secondary));
        value_->setStyleSheet("color: " + css(accent));
        detail_->setStyleSheet("color: " + css(secondary));
    }
    detail_->setVisible(!content.detail.empty() || !content.detailIcon.empty());
    setAccessibleName(QString::fromStdString(content.label + " " + content.value));
    update();
}

void WidgetCard::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QColor tint = Palette::color(content_.color);
    tint.setAlphaF(0.1);
    painter.setPen(Qt::NoPen);
    painter.setBrush(tint);
    painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 8, 8);
}

}  // namespace corvelle
