#pragma once

#include "present/BatteryIcon.h"
#include "present/MenuBarTitle.h"

#include <QRect>
#include <QString>

#include <functional>
#include <optional>

class QMenu;

namespace corvelle {

// The status item: the battery picture and the live title, wherever the desktop lets us put
// them (a tray icon, or a small window of our own). Clicks arrive through the two callbacks.
class StatusItem {
public:
    virtual ~StatusItem() = default;

    // The picture of the core's battery description.
    virtual void setBatteryIcon(const BatteryIcon& icon) = 0;
    // The picture shown before the first reading, with its accessibility description.
    virtual void setPlaceholderIcon(const QString& accessibleDescription) = 0;
    virtual void setTitle(const MenuBarTitle& title) = 0;
    // A short cross-fade of the title (the battery time changed).
    virtual void fadeTitle() = 0;
    // Where the item is on screen; absent when the host does not tell.
    virtual std::optional<QRect> itemGeometry() const = 0;
    // Shows the menu at the item; the item deletes it once it closes.
    virtual void showMenu(QMenu* menu) = 0;
    virtual void showItem() = 0;

    std::function<void()> onLeftClick;
    std::function<void()> onRightClick;
    // The menu in the current language, built afresh at each call; the caller owns it.
    std::function<QMenu*()> makeMenu;
};

}  // namespace corvelle
