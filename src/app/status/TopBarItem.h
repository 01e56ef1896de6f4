#pragma once

#include "app/status/StatusItem.h"
#include "app/status/ThemedBatteryIcon.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusVirtualObject>

#include <memory>
#include <optional>

namespace corvelle {

class DBusMenuExporter;

// The status item in GNOME Shell's top bar, through Corvelle's own shell extension. The
// extension owns `hostService` while it is on; this then publishes on the session bus what the
// item shows, under `itemService`, which it owns while it exists: the title and a guide as wide
// as the widest title of its parts (so the bar keeps its width), the picture as a GIcon string,
// the accessible name, and the menu over com.canonical.dbusmenu. The extension calls Activate
// with the item's place on screen on a left click and shows the menu itself on a right click.
// Changes go out as PropertiesChanged, only when a value changed.
class TopBarItem : public QDBusVirtualObject, public StatusItem {
public:
    static inline const QString hostService = QStringLiteral("io.mirelo.corvelle.TopBar");
    static inline const QString itemService = QStringLiteral("io.mirelo.corvelle.TopBarItem");
    static inline const QString interfaceName = QStringLiteral("io.mirelo.corvelle.TopBarItem");
    static inline const QString itemPath = QStringLiteral("/io/mirelo/corvelle/TopBarItem");
    static inline const QString menuPath = QStringLiteral("/MenuBar");

    // True when the extension is on in the session of `bus`.
    static bool hostPresent(const QDBusConnection& bus);

    // `iconThemePath`: the theme the pictures are taken from, when not the installed one.
    explicit TopBarItem(QDBusConnection bus = QDBusConnection::sessionBus(),
                        QString iconThemePath = ThemedBatteryIcon::themePathBeside(QCoreApplication::applicationDirPath()));
    ~TopBarItem() override;

    void setBatteryIcon(const BatteryIcon& icon) override;
    void setPlaceholderIcon(const QString& accessibleDescription) override;
    void setTitle(const MenuBarTitle& title) override;
    void fadeTitle() override {}
    // Where the extension said the item was at the last left click, in this screen's pixels.
    std::optional<QRect> itemGeometry() const override { return geometry_; }
    void showMenu(QMenu* menu) override;
    void showItem() override {}

    QString introspect(const QString& path) const override;
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override;

private:
    QVariantMap properties() const;
    void showIcon(const BatteryIcon& icon);
    // Sets a property and tells the extension, when its value changed.
    void change(const QString& name, QString& field, const QString& value);
    void activate(const QDBusMessage& message);

    QDBusConnection bus_;
    QString iconThemePath_;
    std::unique_ptr<DBusMenuExporter> menu_;
    QString label_;
    QString guide_;
    std::optional<BatteryIcon> shownIcon_;
    QString icon_;  // the picture as the extension gets it
    QString description_;
    std::optional<QRect> geometry_;
};

}  // namespace corvelle
