#include "app/tabs/battery/EnergyGroupRow.h"

#include "app/components/MeterBar.h"
#include "app/style/LabelStyle.h"

#include <QHBoxLayout>
#include <QLabel>

namespace corvelle {
namespace {

constexpr int nameWidth = 170;

}  // namespace

EnergyGroupRow::EnergyGroupRow(QWidget* parent)
    : QWidget(parent),
      name_(new QLabel(this)),
      count_(new QLabel(this)),
      bar_(new MeterBar(SystemColor::blue, 6, this)),
      cpu_(new QLabel(this)),
      level_(new QLabel(this)) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(4);
    row->addWidget(name_);
    row->addWidget(count_);
    row->addStretch(1);
    bar_->setFixedWidth(80);
    row->addWidget(bar_);
    cpu_->setMinimumWidth(cpu_->fontMetrics().horizontalAdvance(QStringLiteral("100.0%")) + 4);
    cpu_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    row->addWidget(cpu_);
    level_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    row->addWidget(level_);
    LabelStyle::apply(name_, LabelStyle::Role::body);
    LabelStyle::apply(count_, LabelStyle::Role::caption, SystemColor::tertiary);
    LabelStyle::apply(cpu_, LabelStyle::Role::body);
    LabelStyle::apply(level_, LabelStyle::Role::figure, content_.levelColor);
    // Room for the longest level name in either language.
    level_->setFixedWidth(level_->fontMetrics().horizontalAdvance(QStringLiteral("Moderado")) + 6);
}

void EnergyGroupRow::setContent(EnergyGroupRowContent content) {
    if (content == content_) return;
    if (content.name != content_.name) {
        const QString name = QString::fromStdString(content.name);
        name_->setText(name_->fontMetrics().elidedText(name, Qt::ElideMiddle, nameWidth));
        setAccessibleName(name);
    }
    count_->setText(QString::fromStdString(content.count));
    count_->setVisible(!content.count.empty());
    bar_->setValue(content.fraction, SystemColor::blue);
    cpu_->setText(QString::fromStdString(content.cpu));
    level_->setText(QString::fromStdString(content.level));
    if (content.levelColor != content_.levelColor) LabelStyle::apply(level_, LabelStyle::Role::figure, content.levelColor);
    content_ = std::move(content);
}

}  // namespace corvelle
