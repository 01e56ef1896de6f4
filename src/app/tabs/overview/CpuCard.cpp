#include "app/tabs/overview/CpuCard.h"

#include "app/components/BarChartView.h"
#include "app/components/SectionHeader.h"
#include "app/style/LabelStyle.h"
#include "localization/LShell.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace corvelle {

CpuCard::CpuCard(QWidget* parent)
    : CardFrame(parent),
      header_(new SectionHeader("cpu", SystemColor::blue, this)),
      total_(new QLabel(this)),
      user_(new QLabel(this)),
      system_(new QLabel(this)) {
    auto* top = new QHBoxLayout();
    top->addWidget(header_, 1);
    auto* shares = new QVBoxLayout();
    shares->setSpacing(0);
    shares->addWidget(user_, 0, Qt::AlignRight);
    shares->addWidget(system_, 0, Qt::AlignRight);
    top->addWidget(total_);
    top->addSpacing(8);
    top->addLayout(shares);
    column()->addLayout(top);
    LabelStyle::apply(total_, LabelStyle::Role::value);
    LabelStyle::apply(user_, LabelStyle::Role::caption);
    LabelStyle::apply(system_, LabelStyle::Role::caption);
    // Efficiency cores first.
    for (SystemColor color : {SystemColor::green, SystemColor::blue}) {
        auto* row = new QWidget(this);
        auto* line = new QHBoxLayout(row);
        line->setContentsMargins(0, 0, 0, 0);
        auto* symbol = new QLabel(row);
        LabelStyle::showSymbol(symbol, "cpu.fill", 14, color);
        ClusterRow cluster{row, new QLabel(row), new QLabel(row), new BarChartView(color, 100.0, 22, row)};
        LabelStyle::apply(cluster.name, LabelStyle::Role::caption);
        LabelStyle::apply(cluster.average, LabelStyle::Role::figure);
        cluster.average->setMinimumWidth(cluster.average->fontMetrics().horizontalAdvance("100.0%"));
        line->addWidget(symbol);
        line->addWidget(cluster.name);
        line->addWidget(cluster.average);
        line->addWidget(cluster.bars, 1);
        column()->addWidget(row);
        clusters_.push_back(cluster);
    }
    retranslate();
}

void CpuCard::refresh(const OverviewState& state) {
    auto content = OverviewContent::cpu(state.stats);
    if (content == content_) return;
    content_ = std::move(content);
    total_->setText(QString::fromStdString(content_.total));
    user_->setText(QString::fromStdString(content_.user));
    system_->setText(QString::fromStdString(content_.system));
    showCluster(clusters_[0], content_.eCores);
    showCluster(clusters_[1], content_.pCores);
}

void CpuCard::showCluster(const ClusterRow& row, const std::optional<OverviewContent::CoreCluster>& cluster) {
    row.row->setVisible(cluster.has_value());
    if (!cluster) return;
    row.name->setText(QString::fromStdString(cluster->name));
    row.average->setText(QString::fromStdString(cluster->average));
    std::vector<BarChartView::Bar> bars;
    for (double usage : cluster->usages) bars.emplace_back(std::string(), usage);
    row.bars->setData(std::move(bars));
}

void CpuCard::retranslate() { header_->setTitle(L::widgetCPU()); }

}  // namespace corvelle
