#pragma once

#include <QMetaType>
#include <QVariantMap>

class QDBusArgument;

namespace corvelle {

// The properties of one com.canonical.dbusmenu item (D-Bus type (ia{sv})).
struct DBusMenuItemProperties {
    int id = 0;
    QVariantMap properties;
};

QDBusArgument& operator<<(QDBusArgument& argument, const DBusMenuItemProperties& item);
const QDBusArgument& operator>>(const QDBusArgument& argument, DBusMenuItemProperties& item);

}  // namespace corvelle

Q_DECLARE_METATYPE(corvelle::DBusMenuItemProperties)
