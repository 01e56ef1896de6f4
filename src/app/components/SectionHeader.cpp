#include "app/components/SectionHeader.h"

#include "app/style/LabelStyle.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace corvelle {

SectionHeader::SectionHeader(std::string symbol, SystemColor symbolColor, QWidget* parent)
    : QWidget(parent), symbol_(new QLabel(this)), title_(new QLabel(this)), subtitle_(new QLabel(this)) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(6);
    row->addWidget(symbol_, 0, Qt::AlignTop);
    auto* texts = new QVBoxLayout();
    texts->setSpacing(1);
    texts->addWidget(title_);
    texts->addWidget(subtitle_);
    row->addLayout(texts, 1);
    LabelStyle::apply(title_, LabelStyle::Role::title);
    LabelStyle::apply(subtitle_, LabelStyle::Role::caption);
    subtitle_->setWordWrap(true);
    subtitle_->hide();
    setSymbol(symbol, symbolColor);
}

void SectionHeader::setSymbol(const std::string& symbol, SystemColor color) {
    LabelStyle::showSymbol(symbol_, symbol, 16, color);
}

void SectionHeader::setTitle(const std::string& title) {
    title_->setText(QString::fromStdString(title));
    setAccessibleName(title_->text());
}

void SectionHeader::setSubtitle(const std::string& subtitle) {
    subtitle_->setText(QString::fromStdString(subtitle));
    subtitle_->setVisible(!subtitle.empty());
}

QString SectionHeader::title() const { return title_->text(); }

}  // namespace corvelle
