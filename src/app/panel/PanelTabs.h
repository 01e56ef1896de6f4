#pragma once

#include "app/tabs/PanelTab.h"

#include <array>
#include <string>

namespace corvelle {

// The panel's tabs, in tag order: the selector's segments from left to right.
namespace PanelTabs {

inline constexpr int count = 5;

struct Tab {
    const char* symbol;
    std::string (*tooltip)();
};
extern const std::array<Tab, count> tabs;

bool hasTab(int tag);
// The view of a tag; a tag without a tab gives the "Unknown tab" text.
PanelTab* make(int tag, const TabContext& context);

}  // namespace PanelTabs
}  // namespace corvelle
