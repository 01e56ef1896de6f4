#pragma once

#include <QDBusConnection>
#include <QString>
#include <QVariantMap>

#include <functional>

namespace corvelle {

class KeyValueStore;
class Notifier;

// GNOME Shell's extensions, through the org.gnome.Shell.Extensions interface of the shell on the
// session bus: whether Corvelle's own extension (installed with the package, off until the user
// turns it on) is there and on, and turning it on. Calls never block; answers come back on the
// event loop, and without GNOME Shell the state is `absent`.
class GnomeShellExtensions {
public:
    static inline const QString uuid = QStringLiteral("corvelle@mirelo.io");
    // absent: no GNOME Shell, no extension, or one this shell cannot run (an error, a version it
    // does not support); off: it can be turned on; on: enabled.
    enum class State { absent, off, on };

    explicit GnomeShellExtensions(QDBusConnection bus = QDBusConnection::sessionBus());

    // `done` gets the extension's state once the shell answers.
    void query(std::function<void(State)> done) const;
    // Asks the shell to turn the extension on; `done` gets whether it did.
    void enable(std::function<void(bool)> done) const;
    // Says once, in a notification, how to get the item into the top bar, when the shell has the
    // extension off; remembered in `store`, so that it is never said again. Both outlive the answer.
    void offerOnce(KeyValueStore& store, Notifier& notifier) const;

    // The state in one GetExtensionInfo answer.
    static State stateOf(const QVariantMap& info);

private:
    QDBusConnection bus_;
};

}  // namespace corvelle
