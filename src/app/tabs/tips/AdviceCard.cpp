#include "app/tabs/tips/AdviceCard.h"

#include "app/style/LabelStyle.h"
#include "app/style/Palette.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

namespace corvelle {
namespace {

void setText(QLabel* label, const std::string& text) {
    const QString shown = QString::fromStdString(text);
    if (shown != label->text()) label->setText(shown);
}

}  // namespace

AdviceCard::AdviceCard(bool outlined, QWidget* parent)
    : QWidget(parent), outlined_(outlined), symbol_(new QLabel(this)), title_(new QLabel(this)), text_(new QLabel(this)) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(12, 10, 12, 10);
    row->setSpacing(10);
    row->addWidget(symbol_, 0, Qt::AlignTop);
    auto* texts = new QVBoxLayout();
    texts->setSpacing(2);
    texts->addWidget(title_);
    texts->addWidget(text_);
    row->addLayout(texts, 1);
    title_->setWordWrap(true);
    text_->setWordWrap(true);
    LabelStyle::apply(title_, LabelStyle::Role::title);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
}

void AdviceCard::setContent(const std::string& symbol, SystemColor color, const std::string& title, const std::string& text) {
    if (symbol != symbolName_ || color != color_) {
        symbolName_ = symbol;
        color_ = color;
        LabelStyle::showSymbol(symbol_, symbol, 20, color);
        update();
    }
    setText(title_, title);
    title_->setVisible(!title.empty());
    setText(text_, text);
    if (title.empty()) {
        LabelStyle::apply(text_, LabelStyle::Role::body);
    } else {
        LabelStyle::apply(text_, LabelStyle::Role::caption);
    }
    setAccessibleName(QString::fromStdString(title.empty() ? text : title));
}

QString AdviceCard::title() const { return title_->text(); }
QString AdviceCard::text() const { return text_->text(); }

void AdviceCard::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QColor fill = Palette::color(color_);
    QColor outline = fill;
    fill.setAlphaF(0.08);
    outline.setAlphaF(0.2);
    painter.setBrush(fill);
    painter.setPen(outlined_ ? QPen(outline, 1) : Qt::NoPen);
    painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 8, 8);
}

}  // namespace corvelle
