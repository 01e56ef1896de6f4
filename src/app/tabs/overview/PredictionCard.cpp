#include "app/tabs/overview/PredictionCard.h"

#include "app/components/SectionHeader.h"
#include "app/style/LabelStyle.h"
#include "localization/LOverview.h"

#include <QLabel>
#include <QStringList>
#include <QVBoxLayout>

namespace corvelle {

PredictionCard::PredictionCard(QWidget* parent)
    : CardFrame(parent),
      header_(new SectionHeader("chart.line.downtrend.xyaxis", SystemColor::orange, this)),
      lines_(new QLabel(this)),
      placeholder_(new QLabel(this)) {
    column()->addWidget(header_);
    column()->addWidget(lines_);
    column()->addWidget(placeholder_);
    lines_->setWordWrap(true);
    placeholder_->setWordWrap(true);
    LabelStyle::apply(lines_, LabelStyle::Role::body);
    LabelStyle::apply(placeholder_, LabelStyle::Role::caption);
    lines_->hide();
    retranslate();
}

void PredictionCard::refresh(const OverviewState& state) {
    auto content = OverviewContent::prediction(state.recordCount, state.prediction, state.stats.batteryIsPresent);
    if (content == content_) return;
    content_ = std::move(content);
    QStringList lines;
    for (const auto& line : content_.lines) lines << QString::fromStdString(line);
    lines_->setText(lines.join('\n'));
    lines_->setVisible(!lines.isEmpty());
    placeholder_->setText(QString::fromStdString(content_.placeholder));
    placeholder_->setVisible(lines.isEmpty());
}

void PredictionCard::retranslate() { header_->setTitle(L::healthPredictionTitle()); }

QString PredictionCard::text() const { return lines_->isHidden() ? placeholder_->text() : lines_->text(); }

}  // namespace corvelle
