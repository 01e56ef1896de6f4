#include "app/panel/PanelTabs.h"

#include "app/tabs/PlaceholderTab.h"
#include "app/tabs/battery/BatteryTab.h"
#include "app/tabs/history/HistoryTab.h"
#include "app/tabs/overview/OverviewTab.h"
#include "app/tabs/processes/ProcessesTab.h"
#include "app/tabs/tips/TipsTab.h"
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
