#pragma once

#include "platform/PowerProfiles.h"

#include <QDBusConnection>
#include <QObject>
#include <QStringList>
#include <QVariantMap>

namespace corvelle {

// The power profiles daemon on the system bus: org.freedesktop.UPower.PowerProfiles, or the
// older net.hadess.PowerProfiles name when only that answers. The daemon's properties are read
// once at construction and then followed through PropertiesChanged; reads never block.
class DBusPowerProfiles : public QObject, public PowerProfiles {
    Q_OBJECT
public:
    explicit DBusPowerProfiles(QDBusConnection bus = QDBusConnection::systemBus());

    std::vector<std::string> profiles() const override { return profiles_; }
    std::string activeProfile() const override { return active_; }
    void setActiveProfile(const std::string& profile) override;
    Subscription onChange(std::function<void()> handler) override { return changed_.subscribe(std::move(handler)); }

private Q_SLOTS:
    // The daemon sends new values (it does not merely invalidate them).
    void propertiesChanged(const QString& interface, const QVariantMap& changed, const QStringList& invalidated);

private:
    // Asks the daemon at this index of the known names, and the next one if it does not answer.
    void ask(size_t daemon);
    void take(const QVariantMap& properties);

    QDBusConnection bus_;
    size_t daemon_ = 0;  // the daemon asked or followed
    std::vector<std::string> profiles_;
    std::string active_;
    Signal<> changed_;
};

}  // namespace corvelle
