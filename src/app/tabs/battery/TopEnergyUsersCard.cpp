#include "app/tabs/battery/TopEnergyUsersCard.h"

#include "app/components/SectionHeader.h"
#include "app/style/LabelStyle.h"
#include "app/tabs/battery/EnergyGroupRow.h"
#include "localization/LHistoryBattery.h"
#include "present/BatteryContent.h"

#include <QLabel>
#include <QVBoxLayout>

namespace corvelle {

TopEnergyUsersCard::TopEnergyUsersCard(QWidget* parent)
    : CardFrame(parent),
      header_(new SectionHeader("flame.fill", SystemColor::orange, this)),
      rowsBox_(new QWidget(this)),
      empty_(new QLabel(this)) {
    column()->addWidget(header_);
    auto* rows = new QVBoxLayout(rowsBox_);
    rows->setContentsMargins(0, 0, 0, 0);
    rows->setSpacing(6);
    column()->addWidget(rowsBox_);
    column()->addWidget(empty_);
    LabelStyle::apply(empty_, LabelStyle::Role::caption);
    rowsBox_->hide();
    retranslate();
}

void TopEnergyUsersCard::refresh(const std::vector<AppGroup>& groups) {
    auto content = BatteryContent::topEnergyUsers(groups);
    if (content == content_) return;
    while (rows_.size() < content.size()) {
        rows_.push_back(new EnergyGroupRow(rowsBox_));
        rowsBox_->layout()->addWidget(rows_.back());
    }
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        rows_[i]->setVisible(i < content.size());
        if (i < content.size()) rows_[i]->setContent(content[i]);
    }
    rowsBox_->setVisible(!content.empty());
    empty_->setVisible(content.empty());
    content_ = std::move(content);
}

void TopEnergyUsersCard::retranslate() {
    header_->setTitle(L::topEnergyUsersTitle());
    empty_->setText(QString::fromStdString(L::noProcessData()));
}

std::vector<const EnergyGroupRow*> TopEnergyUsersCard::rows() const {
    return {rows_.begin(), rows_.begin() + static_cast<std::ptrdiff_t>(content_.size())};
}

}  // namespace corvelle
