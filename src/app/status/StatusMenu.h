#pragma once

#include <functional>

class QMenu;

namespace corvelle {

struct StatusMenuActions {
    std::function<void()> openSettings;
    std::function<void()> checkForUpdates;
    std::function<void()> quit;
};

// The status item's right-click menu in the current language: Settings… (Ctrl+,), Check for
// Updates…, a separator and Quit Corvelle (Ctrl+Q). Built afresh for every click; the caller
// owns it.
QMenu* buildStatusMenu(const StatusMenuActions& actions);

}  // namespace corvelle
