#include "app/qt/DBusPowerProfiles.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>

namespace corvelle {
namespace {

// The daemon's bus name, which is also its interface, and its object; the current name first.
struct Daemon {
    QString service;
    QString path;
};
const Daemon daemons[] = {
    {QStringLiteral("org.freedesktop.UPower.PowerProfiles"), QStringLiteral("/org/freedesktop/UPower/PowerProfiles")},
    {QStringLiteral("net.hadess.PowerProfiles"), QStringLiteral("/net/hadess/PowerProfiles")},
};

const QString propertiesInterface = QStringLiteral("org.freedesktop.DBus.Properties");
const QString changedSignal = QStringLiteral("PropertiesChanged");
const char* const changedSlot = SLOT(propertiesChanged(QString, QVariantMap, QStringList));

// The "Profile" names of the daemon's array of profile dictionaries (aa{sv}).
std::vector<std::string> profileNames(const QVariant& value) {
    std::vector<std::string> names;
    if (value.userType() != qMetaTypeId<QDBusArgument>()) return names;
    const auto array = value.value<QDBusArgument>();
    array.beginArray();
    while (!array.atEnd()) {
        QVariantMap profile;
        array >> profile;
        names.push_back(profile.value(QStringLiteral("Profile")).toString().toStdString());
    }
    array.endArray();
    return names;
}

}  // namespace

DBusPowerProfiles::DBusPowerProfiles(QDBusConnection bus) : bus_(std::move(bus)) { ask(0); }

void DBusPowerProfiles::ask(size_t index) {
    if (index >= std::size(daemons) || !bus_.isConnected()) return;  // no daemon: nothing is offered
    daemon_ = index;
    const Daemon& daemon = daemons[index];
    // Follow changes before asking, so that none falls between the answer and the subscription.
    bus_.connect(daemon.service, daemon.path, propertiesInterface, changedSignal, this, changedSlot);
    QDBusMessage getAll =
        QDBusMessage::createMethodCall(daemon.service, daemon.path, propertiesInterface, QStringLiteral("GetAll"));
    getAll << daemon.service;
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(getAll), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher, index] {
        watcher->deleteLater();
        QDBusPendingReply<QVariantMap> reply = *watcher;
        if (reply.isValid()) return take(reply.value());
        const Daemon& silent = daemons[index];
        bus_.disconnect(silent.service, silent.path, propertiesInterface, changedSignal, this, changedSlot);
        ask(index + 1);
    });
}

void DBusPowerProfiles::setActiveProfile(const std::string& profile) {
    if (daemon_ >= std::size(daemons)) return;
    const Daemon& daemon = daemons[daemon_];
    QDBusMessage set = QDBusMessage::createMethodCall(daemon.service, daemon.path, propertiesInterface,
                                                      QStringLiteral("Set"));
    set << daemon.service << QStringLiteral("ActiveProfile")
        << QVariant::fromValue(QDBusVariant(QString::fromStdString(profile)));
    set.setInteractiveAuthorizationAllowed(true);
    // The answer is the daemon's PropertiesChanged; a refusal leaves the profile as it was.
    bus_.asyncCall(set);
}

void DBusPowerProfiles::propertiesChanged(const QString& interface, const QVariantMap& changed, const QStringList&) {
    if (daemon_ < std::size(daemons) && interface == daemons[daemon_].service) take(changed);
}

void DBusPowerProfiles::take(const QVariantMap& properties) {
    bool changed = false;
    if (const auto found = properties.find(QStringLiteral("Profiles")); found != properties.end()) {
        auto names = profileNames(*found);
        changed |= names != profiles_;
        profiles_ = std::move(names);
    }
    if (const auto found = properties.find(QStringLiteral("ActiveProfile")); found != properties.end()) {
        auto active = found->toString().toStdString();
        changed |= active != active_;
        active_ = std::move(active);
    }
    if (changed) changed_.emit();
}

}  // namespace corvelle
