#include "app/status/sni/DBusProperties.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>

namespace corvelle::DBusProperties {
namespace {

QString argumentText(const QDBusMessage& message, int index) {
    const auto arguments = message.arguments();
    return index < arguments.size() ? arguments[index].toString() : QString();
}

}  // namespace

bool answer(const QDBusMessage& message, const QDBusConnection& connection, const QString& interface,
            const QVariantMap& properties) {
    if (message.interface() != interfaceName) return false;
    const QString asked = argumentText(message, 0);
    const bool ours = asked == interface || asked.isEmpty();
    if (message.member() == QLatin1String("GetAll")) {
        connection.send(message.createReply(QVariant::fromValue(ours ? properties : QVariantMap())));
    } else if (message.member() == QLatin1String("Get") && ours && properties.contains(argumentText(message, 1))) {
        const QVariant value = properties.value(argumentText(message, 1));
        connection.send(message.createReply(QVariant::fromValue(QDBusVariant(value))));
    } else if (message.member() == QLatin1String("Set")) {
        connection.send(message.createErrorReply(QStringLiteral("org.freedesktop.DBus.Error.PropertyReadOnly"),
                                                 QStringLiteral("read-only property")));
    } else {
        connection.send(message.createErrorReply(QDBusError::UnknownProperty, QStringLiteral("no such property")));
    }
    return true;
}

bool refuse(const QDBusMessage& message, const QDBusConnection& connection) {
    connection.send(message.createErrorReply(QDBusError::UnknownMethod, message.member()));
    return true;
}

}  // namespace corvelle::DBusProperties
