#pragma once

#include "app/status/StatusItem.h"

#include <QSystemTrayIcon>

namespace corvelle {

// The status item as a system tray icon (X11 tray or StatusNotifierItem). The title, which a
// tray cannot show beside the icon, is the tooltip.
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
