#include "app/views/components/WidgetCard.h"

#include "app/views/components/Palette.h"
#include "app/views/components/SymbolIcon.h"
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
    if (content == content_ && !label_->text().isEmpty()) return;
    content_ = std::move(content);
    show(content_);
}

void WidgetCard::show(const WidgetCardContent& content) {
    const QColor accent = Palette::color(content.color);
    icon_->setPixmap(SymbolIcon::pixmap(content.icon, 14, accent, devicePixelRatioF()));
    label_->setText(QString::fromStdString(content.label));
    label_->setStyleSheet("color: " + css(Palette::color(SystemColor::secondary)));
    value_->setText(QString::fromStdString(content.value));
    value_->setStyleSheet("color: " + css(accent));
    if (!content.detailIcon.empty()) {
        detail_->setPixmap(SymbolIcon::pixmap(content.detailIcon, 12, Palette::color(SystemColor::secondary),
                                              devicePixelRatioF()));
    } else {
        detail_->setText(QString::fromStdString(content.detail));
    }
    detail_->setStyleSheet("color: " + css(Palette::color(SystemColor::secondary)));
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
