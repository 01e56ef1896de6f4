#pragma once

#include <QDBusConnection>
#include <QDBusVirtualObject>
#include <QPointer>

#include <functional>
#include <memory>
#include <vector>

class QMenu;

namespace corvelle {

// Serves a flat QMenu over com.canonical.dbusmenu, the protocol tray hosts read a status item's
// menu with. The menu comes from `makeMenu` and is built afresh before each show (AboutToShow)
// and each full layout request, so that it is always in the current language; when its rows
// changed the revision moves on and LayoutUpdated tells the host. Item ids are the row number
// plus one; 0 is the root. A "clicked" event triggers the row's action once back in the event
// loop, after the reply went out.
class DBusMenuExporter : public QDBusVirtualObject {
public:
    static inline const QString interfaceName = QStringLiteral("com.canonical.dbusmenu");

    DBusMenuExporter(QDBusConnection bus, QString path, std::function<QMenu*()> makeMenu);
    ~DBusMenuExporter() override;

    QString introspect(const QString& path) const override;
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override;

private:
    // Rebuilds the menu; true when its rows changed.
    bool refresh();
    QVariantMap rowProperties(int id, const QStringList& names) const;
    void getLayout(const QDBusMessage& message);
    void getGroupProperties(const QDBusMessage& message);
    void aboutToShow(const QDBusMessage& message);
    void eventGroup(const QDBusMessage& message);
    void event(int id, const QString& kind);

    QDBusConnection bus_;
    QString path_;
    std::function<QMenu*()> makeMenu_;
    std::unique_ptr<QMenu> menu_;
    std::vector<QVariantMap> rows_;  // the properties of each row as last served
    unsigned revision_ = 0;
};

}  // namespace corvelle
