#include "app/views/tabs/PanelTabs.h"

#include "app/views/tabs/BatteryTab.h"
#include "app/views/tabs/HistoryTab.h"
#include "app/views/tabs/OverviewTab.h"
#include "app/views/tabs/PlaceholderTab.h"
#include "app/views/tabs/ProcessesTab.h"
#include "app/views/tabs/TipsTab.h"
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
        case 0: return new TipsTab(context);
        case 1: return new OverviewTab(context);
        case 2: return new ProcessesTab(context);
        case 3: return new BatteryTab(context);
        case 4: return new HistoryTab(context);
        default: return new PlaceholderTab(L::unknownTab);
    }
}

}  // namespace corvelle::PanelTabs
