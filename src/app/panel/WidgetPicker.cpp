#include "app/panel/WidgetPicker.h"

#include "app/style/Palette.h"
#include "app/style/SymbolIcon.h"
#include "present/WidgetCardContent.h"

#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace corvelle {

std::vector<PinnedWidget> WidgetPicker::availableWidgets(const std::vector<PinnedWidget>& pinned) {
    if (pinned.size() >= maxPinned) return {};
    std::vector<PinnedWidget> available;
    for (auto widget : allPinnedWidgets) {
        if (std::find(pinned.begin(), pinned.end(), widget) == pinned.end()) available.push_back(widget);
    }
    return available;
}

WidgetPicker::WidgetPicker(const std::vector<PinnedWidget>& pinned, std::function<void(PinnedWidget)> onAdd,
                           QWidget* parent)
    : QWidget(parent) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    const auto available = availableWidgets(pinned);
    for (auto widget : available) {
        auto* button = new QToolButton(this);
        button->setAutoRaise(true);
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        button->setIcon(SymbolIcon::icon("plus.circle", Palette::accent()));
        button->setIconSize(QSize(12, 12));
        button->setText(QString::fromStdString(widgetCardContent(widget, SystemStats{}).label));
        QObject::connect(button, &QToolButton::clicked, this, [onAdd, widget] { onAdd(widget); });
        column->addWidget(button);
    }
    setVisible(!available.empty());
}

}  // namespace corvelle
