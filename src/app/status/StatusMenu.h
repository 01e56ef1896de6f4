#pragma once

#include <functional>

class QMenu;

namespace corvelle {

struct StatusMenuActions {
    std::function<void()> openPanel;
    std::function<void()> openSettings;
    std::function<void()> checkForUpdates;
    std::function<void()> quit;
};

// The status item's menu in the current language: Open Corvelle and a separator (hosts that open
// the menu on a left click reach the panel in one step), Settings…, Check for Updates…, a
// separator and Quit Corvelle. No shortcuts: a tray menu has no window they could act in. Built
// afresh for every click; the caller owns it.
QMenu* buildStatusMenu(const StatusMenuActions& actions);

}  // namespace corvelle
