#include "app/tabs/history/EnergyCard.h"

#include "app/components/BarChartView.h"
#include "app/components/SectionHeader.h"
#include "app/components/SegmentedPicker.h"
#include "app/components/SparklineView.h"
#include "app/style/LabelStyle.h"
#include "localization/L.h"
#include "localization/LHistoryBattery.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QStackedWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace corvelle {
namespace {

constexpr int chartHeight = 120;

std::vector<std::string> rangeLabels() {
    std::vector<std::string> labels;
    for (int range = 0; range < HistoryContent::energyRangeCount; ++range) labels.push_back(L::energyRangeName(range));
    return labels;
}

}  // namespace

EnergyCard::EnergyCard(std::function<void()> onRangeChange, QWidget* parent)
    : CardFrame(parent),
      header_(new SectionHeader("bolt.fill", SystemColor::orange, this)),
      picker_(new SegmentedPicker([this, onRangeChange](int) {
          showCaption();
          onRangeChange();
      }, this)),
      caption_(new QLabel(this)),
      chart_(new QStackedWidget(this)),
      line_(new SparklineView(SystemColor::orange, 1, false, chartHeight, chart_)),
      bars_(new BarChartView(SystemColor::orange, std::nullopt, chartHeight, chart_)),
      message_(new QWidget(chart_)),
      messageSymbol_(new QLabel(message_)),
      messageText_(new QLabel(message_)),
      messageDetail_(new QLabel(message_)),
      figuresRow_(new QWidget(this)) {
    column()->addWidget(header_);
    picker_->setLabels(rangeLabels());
    picker_->setSelected(0);
    column()->addWidget(picker_);
    column()->addWidget(caption_);
    chart_->setFixedHeight(chartHeight);
    chart_->addWidget(line_);
    chart_->addWidget(bars_);
    chart_->addWidget(message_);
    column()->addWidget(chart_);
    auto* note = new QVBoxLayout(message_);
    note->addStretch(1);
    // The texts take the card's whole width, so that they wrap rather than clip at a guessed one.
    for (QLabel* label : {messageSymbol_, messageText_, messageDetail_}) {
        label->setAlignment(Qt::AlignHCenter);
        label->setWordWrap(label != messageSymbol_);
        note->addWidget(label, 0, label == messageSymbol_ ? Qt::AlignHCenter : Qt::Alignment());
    }
    note->addStretch(1);
    LabelStyle::apply(messageText_, LabelStyle::Role::body, SystemColor::secondary);
    LabelStyle::apply(messageDetail_, LabelStyle::Role::caption, SystemColor::tertiary);
    messageDetail_->setTextInteractionFlags(Qt::TextSelectableByMouse);  // a command to copy
    LabelStyle::apply(caption_, LabelStyle::Role::caption);
    caption_->setWordWrap(true);
    auto* figures = new QHBoxLayout(figuresRow_);
    figures->setContentsMargins(0, 0, 0, 0);
    for (int i = 0; i < 3; ++i) {
        auto* texts = new QVBoxLayout();
        texts->setSpacing(1);
        auto* name = new QLabel(figuresRow_);
        auto* value = new QLabel(figuresRow_);
        LabelStyle::apply(name, LabelStyle::Role::caption);
        name->setAlignment(Qt::AlignHCenter);
        value->setAlignment(Qt::AlignHCenter);
        texts->addWidget(name);
        texts->addWidget(value);
        figures->addLayout(texts, 1);
        figures_.emplace_back(name, value);
    }
    column()->addWidget(figuresRow_);
    chart_->setCurrentWidget(message_);
    figuresRow_->hide();
    retranslate();
}

HistoryContent::EnergyRange EnergyCard::range() const {
    return static_cast<HistoryContent::EnergyRange>(picker_->selected());
}

void EnergyCard::setContent(HistoryContent::Energy content, std::int64_t pollingInterval) {
    if (pollingInterval != pollingInterval_) {
        pollingInterval_ = pollingInterval;
        showCaption();
    }
    if (content == content_) return;
    using Shows = HistoryContent::Energy::Shows;
    switch (content.shows) {
        case Shows::line: {
            const double largest = *std::max_element(content.line.begin(), content.line.end());
            line_->setMaxValue(largest > 0 ? largest : 1);
            line_->setValues(content.line);
            chart_->setCurrentWidget(line_);
            break;
        }
        case Shows::bars:
            bars_->setData(content.bars);
            chart_->setCurrentWidget(bars_);
            break;
        case Shows::message:
            if (content.symbol != content_.symbol && !content.symbol.empty()) {
                LabelStyle::showSymbol(messageSymbol_, content.symbol, 28, SystemColor::secondary);
            }
            messageSymbol_->setVisible(!content.symbol.empty());
            messageText_->setText(QString::fromStdString(content.message));
            messageDetail_->setText(QString::fromStdString(content.detail));
            messageDetail_->setVisible(!content.detail.empty());
            chart_->setCurrentWidget(message_);
            break;
    }
    for (std::size_t i = 0; i < std::min(figures_.size(), content.figures.size()); ++i) {
        const auto& figure = content.figures[i];
        figures_[i].first->setText(QString::fromStdString(figure.name));
        figures_[i].second->setText(QString::fromStdString(figure.value));
        LabelStyle::apply(figures_[i].second, LabelStyle::Role::figure, figure.color);
    }
    figuresRow_->setVisible(!content.figures.empty());
    content_ = std::move(content);
}

void EnergyCard::showCaption() {
    caption_->setText(QString::fromStdString(L::energyRangeDesc(picker_->selected(), pollingInterval_)));
}

void EnergyCard::retranslate() {
    header_->setTitle(L::energyTitle());
    picker_->setLabels(rangeLabels());
    showCaption();
}

}  // namespace corvelle
