#pragma once

#include "app/status/StatusItem.h"

#include <QSystemTrayIcon>

namespace corvelle {

// The status item as an X11 system tray icon (where a StatusNotifierWatcher is present, our own
// StatusNotifierItem takes its place). The title, which an X11 tray cannot show beside the icon,
// is the tooltip.
class TrayStatusItem : public StatusItem {
public:
    TrayStatusItem();

    void setBatteryIcon(const BatteryIcon& icon) override;
    void setPlaceholderIcon(const QString& accessibleDescription) override;
    void setTitle(const MenuBarTitle& title) override;
    void fadeTitle() override {}
    std::optional<QRect> itemGeometry() const override;
    void showMenu(QMenu* menu) override;
    void showItem() override { tray_.show(); }

private:
    void setImage(const QImage& image);

    QSystemTrayIcon tray_;
    QString description_;
};

}  // namespace corvelle
