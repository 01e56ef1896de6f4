#pragma once

#include <QWidget>

namespace corvelle {

class AppSettings;
class BatteryCare;
class PowerProfiles;
class SystemMonitor;

// What a tab is built from.
struct TabContext {
    SystemMonitor& systemMonitor;
    AppSettings& appSettings;  // section orders are loaded from and saved to it
    bool isDetailWindow = false;
    bool isEditing = false;  // section reordering at the time the tab is built
    // The battery care controls; null where the machine offers none.
    BatteryCare* batteryCare = nullptr;
    PowerProfiles* powerProfiles = nullptr;
};

// One tab of the panel or of the larger window. Panel builds a tab once, the first time
// it is selected, puts it in a scroll area and keeps it as long as the panel exists: its sort
// order, scroll position and open rows survive switching tabs and languages. It then calls:
//  - refresh(): show the monitor's current published state (stats, histories, analysis results,
//    store). Called when the tab comes into view and on every publication while it is in view;
//    never while the panel is hidden or another tab is selected. Skip what did not change.
//  - retranslate(): the language setting changed; show every text in the new language. A
//    refresh() follows at once when the tab is in view.
//  - setEditing(): the header's reorder button; tabs without sections ignore it.
class PanelTab : public QWidget {
public:
    using QWidget::QWidget;

    virtual void refresh() = 0;
    virtual void retranslate() = 0;
    virtual void setEditing(bool) {}
};

}  // namespace corvelle
