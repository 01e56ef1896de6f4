#pragma once

#include "settings/PinnedWidget.h"

#include <QWidget>

#include <functional>
#include <vector>

namespace corvelle {

// The "add a widget" buttons at the end of the status strip while editing: one per widget not
// yet pinned, and none once three are pinned.
class WidgetPicker : public QWidget {
public:
    static constexpr size_t maxPinned = 3;

    // The widgets that can still be added, in declaration order.
    static std::vector<PinnedWidget> availableWidgets(const std::vector<PinnedWidget>& pinned);

    WidgetPicker(const std::vector<PinnedWidget>& pinned, std::function<void(PinnedWidget)> onAdd,
                 QWidget* parent = nullptr);
};

}  // namespace corvelle
