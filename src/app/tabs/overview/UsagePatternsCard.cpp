#include "app/tabs/overview/UsagePatternsCard.h"

#include "app/components/MeterBar.h"
#include "app/components/SectionHeader.h"
#include "app/style/LabelStyle.h"
#include "localization/LOverview.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace corvelle {

UsagePatternsCard::UsagePatternsCard(QWidget* parent)
    : CardFrame(parent),
      header_(new SectionHeader("clock.fill", SystemColor::blue, this)),
      rows_(new QWidget(this)),
      quietestRow_(new QWidget(this)),
      quietest_(new QLabel(quietestRow_)),
      notEnough_(new QLabel(this)) {
    column()->addWidget(header_);
    auto* rows = new QVBoxLayout(rows_);
    rows->setContentsMargins(0, 0, 0, 0);
    rows->setSpacing(4);
    column()->addWidget(rows_);
    auto* quiet = new QHBoxLayout(quietestRow_);
    quiet->setContentsMargins(0, 0, 0, 0);
    auto* moon = new QLabel(quietestRow_);
    LabelStyle::showSymbol(moon, "moon.fill", 14, SystemColor::purple);
    quiet->addWidget(moon);
    quiet->addWidget(quietest_, 1);
    column()->addWidget(quietestRow_);
    column()->addWidget(notEnough_);
    LabelStyle::apply(quietest_, LabelStyle::Role::caption);
    LabelStyle::apply(notEnough_, LabelStyle::Role::caption);
    // It may hold the command that turns the power meter on: wrapped, and selectable to copy it.
    notEnough_->setWordWrap(true);
    notEnough_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    rows_->hide();
    quietestRow_->hide();
    retranslate();
}

UsagePatternsCard::Row& UsagePatternsCard::row(std::size_t index) {
    while (rowViews_.size() <= index) {
        auto* line = new QWidget(rows_);
        auto* layout = new QHBoxLayout(line);
        layout->setContentsMargins(0, 0, 0, 0);
        Row row{line, new QLabel(line), new MeterBar(SystemColor::orange, 6, line), new QLabel(line)};
        LabelStyle::apply(row.hour, LabelStyle::Role::body);
        LabelStyle::apply(row.watts, LabelStyle::Role::caption);
        row.hour->setMinimumWidth(row.hour->fontMetrics().horizontalAdvance(QStringLiteral("12 p. m.")) + 4);
        row.watts->setMinimumWidth(row.watts->fontMetrics().horizontalAdvance(QStringLiteral("000.0 W")));
        row.watts->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        layout->addWidget(row.hour);
        layout->addWidget(row.bar, 1);
        layout->addWidget(row.watts);
        rows_->layout()->addWidget(line);
        rowViews_.push_back(row);
    }
    return rowViews_[index];
}

void UsagePatternsCard::refresh(const OverviewState& state) {
    auto content =
        OverviewContent::usagePatterns(state.week, state.isDetailWindow, state.twelveHour, state.stats.powerMeter);
    if (content == content_) return;
    content_ = std::move(content);
    const bool empty = content_.rows.empty();
    rows_->setVisible(!empty);
    quietestRow_->setVisible(!empty);
    notEnough_->setVisible(empty);
    notEnough_->setText(QString::fromStdString(content_.note));
    for (std::size_t i = 0; i < content_.rows.size(); ++i) {
        const auto& peak = content_.rows[i];
        Row& view = row(i);
        view.hour->setText(QString::fromStdString(peak.hour));
        view.bar->setValue(peak.fraction, SystemColor::orange);
        view.watts->setText(QString::fromStdString(peak.watts));
        view.row->show();
    }
    for (std::size_t i = content_.rows.size(); i < rowViews_.size(); ++i) rowViews_[i].row->hide();
    quietest_->setText(QString::fromStdString(content_.quietest));
}

void UsagePatternsCard::retranslate() {
    header_->setTitle(L::usagePatternsTitle());
}

}  // namespace corvelle
