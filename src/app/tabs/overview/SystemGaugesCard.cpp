#include "app/tabs/overview/SystemGaugesCard.h"

#include "app/components/GaugeView.h"
#include "app/style/LabelStyle.h"
#include "localization/LOverview.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace corvelle {
namespace {

void setText(QLabel* label, const std::string& text) { label->setText(QString::fromStdString(text)); }

}  // namespace

SystemGaugesCard::SystemGaugesCard(QWidget* parent)
    : CardFrame(parent), memory_(new GaugeView("memorychip", SystemColor::blue, this)), memoryDetail_(new QLabel(this)) {
    auto* row = new QHBoxLayout();
    row->setSpacing(12);
    column()->addLayout(row);
    auto* memory = new QVBoxLayout();
    memory->setSpacing(2);
    memory->addWidget(memory_);
    memory->addWidget(memoryDetail_);
    memory->addStretch(1);
    LabelStyle::apply(memoryDetail_, LabelStyle::Role::caption);
    row->addLayout(memory);
    disk_ = addTile(row, "internaldrive", SystemColor::secondary, 2);
    network_ = addTile(row, "network", SystemColor::secondary, 2);
    power_ = addTile(row, "bolt.fill", SystemColor::yellow, 1);
    LabelStyle::apply(power_.lines[0], LabelStyle::Role::figure, SystemColor::yellow);
    retranslate();
}

SystemGaugesCard::Tile SystemGaugesCard::addTile(QHBoxLayout* row, const char* symbol, SystemColor color, int lines) {
    auto* tile = new QVBoxLayout();
    tile->setSpacing(2);
    auto* top = new QHBoxLayout();
    top->setSpacing(4);
    auto* icon = new QLabel(this);
    LabelStyle::showSymbol(icon, symbol, 14, color);
    Tile result{new QLabel(this), {new QLabel(this), new QLabel(this)}};
    LabelStyle::apply(result.title, LabelStyle::Role::caption);
    top->addWidget(icon);
    top->addWidget(result.title, 1);
    tile->addLayout(top);
    for (int i = 0; i < 2; ++i) {
        LabelStyle::apply(result.lines[i], LabelStyle::Role::body);
        tile->addWidget(result.lines[i]);
        result.lines[i]->setVisible(i < lines);
    }
    tile->addStretch(1);
    row->addLayout(tile, 1);
    return result;
}

void SystemGaugesCard::refresh(const OverviewState& state) {
    auto content = OverviewContent::gauges(state.stats);
    if (content == content_) return;
    content_ = std::move(content);
    memory_->setValue(content_.memoryPercent);
    setText(memoryDetail_, content_.memory);
    setText(disk_.lines[0], content_.diskRead);
    setText(disk_.lines[1], content_.diskWrite);
    setText(network_.lines[0], content_.networkIn);
    setText(network_.lines[1], content_.networkOut);
    setText(power_.lines[0], content_.power);
}

void SystemGaugesCard::retranslate() {
    memory_->setLabel(L::gaugeMemory());
    setText(disk_.title, L::gaugeDisk());
    setText(network_.title, L::gaugeNetwork());
    setText(power_.title, L::gaugePower());
}

}  // namespace corvelle
