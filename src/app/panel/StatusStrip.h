#pragma once

#include "model/SystemStats.h"
#include "settings/PinnedWidget.h"

#include <QWidget>

#include <vector>

class QHBoxLayout;

namespace corvelle {

class AppSettings;
class WidgetCard;
class WidgetPicker;

// The row of pinned mini-widgets under the panel header. While editing, each card can be
// removed (never the last one) and a picker adds widgets; every change is saved.
class StatusStrip : public QWidget {
public:
    StatusStrip(AppSettings& appSettings, std::vector<PinnedWidget> pinnedWidgets, QWidget* parent = nullptr);

    void setStats(const SystemStats& stats);
    void setEditing(bool editing);
    bool isEditing() const { return editing_; }

    const std::vector<PinnedWidget>& pinnedWidgets() const { return pinned_; }
    // Removes the first card of `widget` and saves; refused (false) when it is the only one.
    bool removeWidget(PinnedWidget widget);
    void addWidget(PinnedWidget widget);

    const std::vector<WidgetCard*>& cards() const { return cards_; }
    WidgetPicker* picker() const { return picker_; }

private:
    void rebuild();

    AppSettings& appSettings_;
    std::vector<PinnedWidget> pinned_;
    SystemStats stats_;
    bool editing_ = false;
    QHBoxLayout* row_;
    std::vector<WidgetCard*> cards_;
    WidgetPicker* picker_ = nullptr;
};

}  // namespace corvelle
