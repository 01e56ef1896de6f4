#include "app/panel/StatusStrip.h"

#include "app/panel/WidgetCard.h"
#include "app/panel/WidgetPicker.h"
#include "settings/AppSettings.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include <algorithm>

namespace corvelle {

StatusStrip::StatusStrip(AppSettings& appSettings, std::vector<PinnedWidget> pinnedWidgets, QWidget* parent)
    : QWidget(parent), appSettings_(appSettings), pinned_(std::move(pinnedWidgets)), row_(new QHBoxLayout()) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(16, 6, 16, 6);
    column->setSpacing(6);
    row_->setSpacing(8);
    column->addLayout(row_);
    rebuild();
}

void StatusStrip::setStats(const SystemStats& stats) {
    stats_ = stats;
    for (auto* card : cards_) card->setStats(stats_);
}

void StatusStrip::setEditing(bool editing) {
    if (editing == editing_) return;
    editing_ = editing;
    rebuild();
}

bool StatusStrip::removeWidget(PinnedWidget widget) {
    if (pinned_.size() < 2) return false;
    const auto found = std::find(pinned_.begin(), pinned_.end(), widget);
    if (found == pinned_.end()) return false;
    pinned_.erase(found);
    appSettings_.savePinnedWidgets(pinned_);
    rebuild();
    return true;
}

void StatusStrip::addWidget(PinnedWidget widget) {
    pinned_.push_back(widget);
    if (pinned_.size() > WidgetPicker::maxPinned) pinned_.resize(WidgetPicker::maxPinned);
    appSettings_.savePinnedWidgets(pinned_);
    rebuild();
}

void StatusStrip::rebuild() {
    // The old cards may be running the click that led here: retire them, delete them later.
    while (QLayoutItem* item = row_->takeAt(0)) {
        if (QWidget* old = item->widget()) {
            old->hide();
            old->deleteLater();
        }
        delete item;
    }
    cards_.clear();
    picker_ = nullptr;
    for (auto widget : pinned_) {
        auto* card = new WidgetCard(widget, stats_, editing_, [this, widget] { removeWidget(widget); }, this);
        row_->addWidget(card);
        cards_.push_back(card);
    }
    if (editing_ && !WidgetPicker::availableWidgets(pinned_).empty()) {
        picker_ = new WidgetPicker(pinned_, [this](PinnedWidget widget) { addWidget(widget); }, this);
        row_->addWidget(picker_);
    }
}

}  // namespace corvelle
