#include "app/qt/DBusNotifier.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QVariantMap>

namespace corvelle {
namespace {

const QString service = QStringLiteral("org.freedesktop.Notifications");
const QString path = QStringLiteral("/org/freedesktop/Notifications");

QDBusMessage call(const QString& method) { return QDBusMessage::createMethodCall(service, path, service, method); }

}  // namespace

DBusNotifier::DBusNotifier(QDBusConnection connection) : connection_(std::move(connection)) {}

void DBusNotifier::requestPermission() {
    if (!connection_.isConnected()) return;
    auto* watcher = new QDBusPendingCallWatcher(connection_.asyncCall(call(QStringLiteral("GetCapabilities"))));
    std::weak_ptr<std::optional<bool>> markup = bodyMarkup_;
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, [watcher, markup] {
        QDBusPendingReply<QStringList> reply = *watcher;
        if (auto target = markup.lock(); target && reply.isValid()) {
            *target = reply.value().contains(QStringLiteral("body-markup"));
        }
        watcher->deleteLater();
    });
}

void DBusNotifier::post(const std::string& identifier, const std::string& title, const std::string& body,
                        bool playSound) {
    if (!connection_.isConnected()) return;
    QVariantMap hints;
    hints.insert(QStringLiteral("desktop-entry"), QStringLiteral("io.mirelo.corvelle"));
    hints.insert(QStringLiteral("x-corvelle-identifier"), QString::fromStdString(identifier));
    if (playSound) {
        hints.insert(QStringLiteral("sound-name"), QStringLiteral("message-new-instant"));
    } else {
        hints.insert(QStringLiteral("suppress-sound"), true);
    }
    // A process name such as "a<b>" must reach the user as written, not as markup.
    QString text = QString::fromStdString(body);
    if (bodyMarkup_->value_or(true)) text = text.toHtmlEscaped();

    QDBusMessage message = call(QStringLiteral("Notify"));
    message << QStringLiteral("Corvelle") << 0u << QStringLiteral("io.mirelo.corvelle")
            << QString::fromStdString(title) << text << QStringList() << hints << -1;
    // Fire and forget: an error reply (no service) is dropped by the bus connection.
    connection_.send(message);
}

}  // namespace corvelle
