#pragma once

#include <QList>
#include <QMetaType>
#include <QVariantMap>

class QDBusArgument;

namespace corvelle {

// One node of a com.canonical.dbusmenu layout: id, properties and children, each child wrapped
// in a variant (D-Bus type (ia{sv}av)).
struct DBusMenuLayoutItem {
    int id = 0;
    QVariantMap properties;
    QList<DBusMenuLayoutItem> children;
};

QDBusArgument& operator<<(QDBusArgument& argument, const DBusMenuLayoutItem& item);
const QDBusArgument& operator>>(const QDBusArgument& argument, DBusMenuLayoutItem& item);

}  // namespace corvelle

Q_DECLARE_METATYPE(corvelle::DBusMenuLayoutItem)
