#include "app/status/TrayStatusItem.h"

#include "app/style/BatteryIconPainter.h"

#include <QCursor>
#include <QMenu>

namespace corvelle {
namespace {

// Trays scale the picture down to their slot; drawing it large keeps it sharp.
constexpr int trayImageSide = 48;

}  // namespace

TrayStatusItem::TrayStatusItem() {
    QObject::connect(&tray_, &QSystemTrayIcon::activated, &tray_, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::Context) {
            if (onRightClick) onRightClick();
        } else if (reason == QSystemTrayIcon::Trigger) {
            if (onLeftClick) onLeftClick();
        }
    });
}

void TrayStatusItem::setImage(const QImage& image) { tray_.setIcon(QIcon(QPixmap::fromImage(image))); }

void TrayStatusItem::setBatteryIcon(const BatteryIcon& icon) {
    setImage(BatteryIconPainter::trayPicture(icon, trayImageSide));
}

void TrayStatusItem::setPlaceholderIcon(const QString& accessibleDescription) {
    description_ = accessibleDescription;
    setImage(BatteryIconPainter::trayPicture(BatteryIconPainter::placeholderIcon(), trayImageSide));
    tray_.setToolTip(description_);
}

void TrayStatusItem::setTitle(const MenuBarTitle& title) {
    const QString text = QString::fromStdString(title.text).trimmed();
    tray_.setToolTip(text.isEmpty() ? description_ : text);
}

std::optional<QRect> TrayStatusItem::itemGeometry() const {
    const QRect rect = tray_.geometry();
    if (rect.isEmpty()) return std::nullopt;
    return rect;
}

void TrayStatusItem::showMenu(QMenu* menu) {
    QObject::connect(menu, &QMenu::aboutToHide, menu, &QObject::deleteLater);
    menu->popup(QCursor::pos());
}

}  // namespace corvelle
