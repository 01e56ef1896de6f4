#include "app/tabs/CpuHistoryCard.h"

#include "app/components/SectionHeader.h"
#include "app/components/SparklineView.h"
#include "app/style/LabelStyle.h"
#include "localization/LOverview.h"
#include "util/Format.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace corvelle {

CpuHistoryCard::CpuHistoryCard(QWidget* parent)
    : CardFrame(parent),
      header_(new SectionHeader("chart.xyaxis.line", SystemColor::blue, this)),
      sparkline_(new SparklineView(SystemColor::blue, 100, true, 48, this)),
      latest_(new QLabel(this)),
      collecting_(new QLabel(this)) {
    auto* top = new QHBoxLayout();
    top->addWidget(header_, 1);
    top->addWidget(latest_, 0, Qt::AlignTop);
    column()->addLayout(top);
    column()->addWidget(sparkline_);
    column()->addWidget(collecting_);
    LabelStyle::apply(latest_, LabelStyle::Role::figure, SystemColor::blue);
    LabelStyle::apply(collecting_, LabelStyle::Role::caption);
    retranslate();
}

void CpuHistoryCard::refresh(const HistoryBuffer<double>& history) {
    auto values = history.elements();
    const bool empty = values.empty();
    latest_->setVisible(!empty);
    sparkline_->setVisible(!empty);
    collecting_->setVisible(empty);
    if (!empty) {
        const QString latest = QString::fromStdString(formatString("%.1f%%", values.back()));
        if (latest != latest_->text()) latest_->setText(latest);
    }
    sparkline_->setValues(std::move(values));
}

void CpuHistoryCard::retranslate() {
    header_->setTitle(L::cpuUsageTitle());
    header_->setSubtitle(L::cpuUsageSubtitle());
    collecting_->setText(QString::fromStdString(L::collectingData()));
}

QString CpuHistoryCard::latest() const { return latest_->isHidden() ? collecting_->text() : latest_->text(); }

}  // namespace corvelle
