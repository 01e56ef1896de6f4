#pragma once

#include "model/SystemStats.h"
#include "settings/PinnedWidget.h"
#include "util/SystemColor.h"

#include <string>

namespace corvelle {

// What one pinned mini-widget shows for a snapshot.
struct WidgetCardContent {
    std::string label;
    std::string icon;  // symbol name
    std::string value;
    SystemColor color = SystemColor::blue;
    std::string detail;      // text under the value; empty for none
    std::string detailIcon;  // symbol under the value; empty for none

    bool operator==(const WidgetCardContent&) const = default;
};

WidgetCardContent widgetCardContent(PinnedWidget widget, const SystemStats& stats);

}  // namespace corvelle
