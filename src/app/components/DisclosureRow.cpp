#include "app/components/DisclosureRow.h"

#include "app/style/LabelStyle.h"
#include "app/style/Palette.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>

namespace corvelle {

DisclosureRow::DisclosureRow(QWidget* parent)
    : QAbstractButton(parent),
      leading_(new QLabel(this)),
      text_(new QLabel(this)),
      trailing_(new QLabel(this)),
      chevron_(new QLabel(this)) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(4, 3, 4, 3);
    row->setSpacing(6);
    row->addWidget(leading_, 0, Qt::AlignVCenter);
    row->addWidget(text_, 1);
    row->addWidget(trailing_);
    row->addWidget(chevron_);
    text_->setWordWrap(true);
    for (QLabel* label : {leading_, text_, trailing_, chevron_}) label->setAttribute(Qt::WA_TransparentForMouseEvents);
    LabelStyle::apply(text_, LabelStyle::Role::body);
    trailing_->hide();
    leading_->hide();
    setCursor(Qt::PointingHandCursor);
    // Repainted as the pointer comes and goes.
    setAttribute(Qt::WA_Hover);
    setFocusPolicy(Qt::TabFocus);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    setOpen(false);
}

void DisclosureRow::setLeading(const std::string& symbol, SystemColor color) {
    LabelStyle::showSymbol(leading_, symbol, 14, color);
    leading_->show();
}

void DisclosureRow::setLabel(const std::string& text) {
    text_->setText(QString::fromStdString(text));
    setAccessibleName(text_->text());
    updateGeometry();
}

void DisclosureRow::setTrailing(const std::string& text, SystemColor color) {
    trailing_->setText(QString::fromStdString(text));
    LabelStyle::apply(trailing_, LabelStyle::Role::caption, color);
    trailing_->setVisible(!text.empty());
}

void DisclosureRow::setOpen(bool open) {
    open_ = open;
    LabelStyle::showSymbol(chevron_, open ? "chevron.down" : "chevron.right", 12, SystemColor::secondary);
}

QString DisclosureRow::label() const { return text_->text(); }

QSize DisclosureRow::sizeHint() const { return layout()->sizeHint(); }
QSize DisclosureRow::minimumSizeHint() const { return layout()->minimumSize(); }
int DisclosureRow::heightForWidth(int width) const { return layout()->totalHeightForWidth(width); }

void DisclosureRow::paintEvent(QPaintEvent*) {
    if (!underMouse() && !hasFocus()) return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QColor tint = Palette::color(SystemColor::primary);
    tint.setAlphaF(0.07);
    painter.setPen(Qt::NoPen);
    painter.setBrush(tint);
    painter.drawRoundedRect(QRectF(rect()), 6, 6);
}

}  // namespace corvelle
