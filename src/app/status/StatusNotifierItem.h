#pragma once

#include "app/status/StatusItem.h"
#include "app/status/sni/SniPixmap.h"

#include <QDBusConnection>
#include <QDBusServiceWatcher>
#include <QDBusVirtualObject>

#include <memory>

namespace corvelle {

class DBusMenuExporter;

// The status item as a StatusNotifierItem of our own on the session bus, for desktops whose
// tray host reads it (a org.kde.StatusNotifierWatcher is present). It offers the picture as
// pixmaps and, where the icon theme is installed, by name; the live title as the label that
// top bars show next to the icon (XAyatanaLabel, with a guide as wide as the widest title of the
// same parts so the bar keeps its width), and the title as the tooltip. The menu is served over
// com.canonical.dbusmenu. It registers with the watcher when shown, and again
// whenever a watcher (re)appears. Signals go out only when the label or the picture changed.
class StatusNotifierItem : public QDBusVirtualObject, public StatusItem {
public:
    static inline const QString watcherService = QStringLiteral("org.kde.StatusNotifierWatcher");
    static inline const QString interfaceName = QStringLiteral("org.kde.StatusNotifierItem");
    static inline const QString itemPath = QStringLiteral("/StatusNotifierItem");
    static inline const QString menuPath = QStringLiteral("/MenuBar");
    // The square picture sizes offered to the host.
    static constexpr int pixmapSizes[] = {16, 22, 32, 48};

    // True when a watcher owns its name on `bus`.
    static bool watcherPresent(const QDBusConnection& bus);

    explicit StatusNotifierItem(QDBusConnection bus = QDBusConnection::sessionBus());
    ~StatusNotifierItem() override;

    void setBatteryIcon(const BatteryIcon& icon) override;
    void setPlaceholderIcon(const QString& accessibleDescription) override;
    void setTitle(const MenuBarTitle& title) override;
    void fadeTitle() override {}
    // Click points with both coordinates below this are read as inside the item.
    static constexpr int itemLocalLimit = 48;

    // The point the host gave with the last click; absent when it gave none (0, 0) or one
    // inside the item.
    std::optional<QRect> itemGeometry() const override { return clickPoint_; }
    void showMenu(QMenu* menu) override;
    void showItem() override;

    const QString& serviceName() const { return service_; }

    QString introspect(const QString& path) const override;
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override;

private:
    QVariantMap properties() const;
    void registerWithWatcher();
    void emitSignal(const QString& name, const QVariantList& arguments = {});
    void showIcon(const BatteryIcon& icon);
    // Replies, remembers where the host says the click was, then runs the click.
    void click(const QDBusMessage& message, const std::function<void()>& handler);

    QDBusConnection bus_;
    QString service_;
    QString iconThemePath_;
    // The icon theme is there: hosts get the picture's name as well as its pixmaps.
    bool themed_;
    std::unique_ptr<DBusMenuExporter> menu_;
    QDBusServiceWatcher watcher_;
    bool shown_ = false;
    std::optional<BatteryIcon> icon_;
    SniPixmaps pixmaps_;
    QString description_;
    QString label_;
    QString guide_;
    std::optional<QRect> clickPoint_;
};

}  // namespace corvelle
