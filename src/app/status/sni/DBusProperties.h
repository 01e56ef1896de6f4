#pragma once

#include <QString>
#include <QVariantMap>

class QDBusConnection;
class QDBusMessage;

// The org.freedesktop.DBus.Properties interface for objects served by hand (QDBusVirtualObject).
namespace corvelle::DBusProperties {

inline const QString interfaceName = QStringLiteral("org.freedesktop.DBus.Properties");

// Answers Get and GetAll with `properties`, the read-only properties of `interface`; Set is
// refused. False when `message` is not a Properties call.
bool answer(const QDBusMessage& message, const QDBusConnection& connection, const QString& interface,
            const QVariantMap& properties);

// Replies with an UnknownMethod error; always true (the message was handled).
bool refuse(const QDBusMessage& message, const QDBusConnection& connection);

}  // namespace corvelle::DBusProperties
