#include "app/views/tabs/PanelTabs.h"

#include "app/views/tabs/BatteryTab.h"
#include "app/views/tabs/HistoryTab.h"
#include "app/views/tabs/OverviewTab.h"
#include "app/views/tabs/PlaceholderTab.h"
#include "localization/LShell.h"

namespace corvelle::PanelTabs {

const std::array<Tab, count> tabs{{{"lightbulb.fill", L::tabTips},
                                   {"square.grid.2x2", L::tabOverview},
                                   {"list.number", L::tabProcesses},
                                   {"battery.100percent", L::tabBattery},
                                   {"chart.xyaxis.line", L::tabHistory}}};

bool hasTab(int tag) { return tag >= 0 && tag < count; }

PanelTab* make(int tag, const TabContext& context) {
    switch (tag) {
        case 1: return new OverviewTab(context);
        case 3: return new BatteryTab(context);
        case 4: return new HistoryTab(context);
        case 0:
        case 2: return new PlaceholderTab(tabs[static_cast<std::size_t>(tag)].tooltip);
        default: return new PlaceholderTab(L::unknownTab);
    }
}

}  // namespace corvelle::PanelTabs
