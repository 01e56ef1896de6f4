#include "app/qt/GnomeShellExtensions.h"

#include "localization/LShell.h"
#include "platform/KeyValueStore.h"
#include "platform/Notifier.h"
#include "settings/AppSettings.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

namespace corvelle {
namespace {

// The shell's extension states that matter here.
constexpr int enabledState = 1;
constexpr int disabledState = 2;
constexpr int initializedState = 6;  // loaded, never enabled

// Calls the shell and hands the reply to `done` once it comes (an error reply too).
void callShell(const QDBusConnection& bus, const QString& method, std::function<void(const QDBusMessage&)> done) {
    QDBusMessage message = QDBusMessage::createMethodCall(QStringLiteral("org.gnome.Shell"), QStringLiteral("/org/gnome/Shell"),
                                                          QStringLiteral("org.gnome.Shell.Extensions"), method);
    message << GnomeShellExtensions::uuid;
    // Never started for us: a session without GNOME Shell just answers with an error.
    message.setAutoStartService(false);
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(message, 10000));
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher, [done = std::move(done)](QDBusPendingCallWatcher* call) {
        call->deleteLater();
        done(call->reply());
    });
}

}  // namespace

GnomeShellExtensions::GnomeShellExtensions(QDBusConnection bus) : bus_(std::move(bus)) {}

GnomeShellExtensions::State GnomeShellExtensions::stateOf(const QVariantMap& info) {
    bool number = false;
    const int state = info.value(QStringLiteral("state")).toInt(&number);
    if (!number) return State::absent;
    if (state == enabledState) return State::on;
    return state == disabledState || state == initializedState ? State::off : State::absent;
}

void GnomeShellExtensions::query(std::function<void(State)> done) const {
    if (!bus_.isConnected()) return done(State::absent);
    callShell(bus_, QStringLiteral("GetExtensionInfo"), [done = std::move(done)](const QDBusMessage& reply) {
        const QVariantMap info = reply.type() == QDBusMessage::ReplyMessage
                                     ? qdbus_cast<QVariantMap>(reply.arguments().value(0))
                                     : QVariantMap();
        done(stateOf(info));
    });
}

void GnomeShellExtensions::enable(std::function<void(bool)> done) const {
    if (!bus_.isConnected()) return done(false);
    callShell(bus_, QStringLiteral("EnableExtension"), [done = std::move(done)](const QDBusMessage& reply) {
        done(reply.type() == QDBusMessage::ReplyMessage && reply.arguments().value(0).toBool());
    });
}

void GnomeShellExtensions::offerOnce(KeyValueStore& store, Notifier& notifier) const {
    const auto said = [&store] { return store.readBool(AppSettings::topBarHintKey).value_or(false); };
    if (said()) return;
    query([said, &store, &notifier](State state) {
        if (state != State::off || said()) return;
        store.write(AppSettings::topBarHintKey, true);
        notifier.post("top-bar-hint", L::topBarHintTitle(), L::topBarHintBody(), false);
    });
}

}  // namespace corvelle
