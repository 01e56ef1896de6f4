#pragma once

#include "platform/Notifier.h"

#include <QDBusConnection>

#include <memory>
#include <optional>

namespace corvelle {

// Desktop notifications through the session bus's org.freedesktop.Notifications service.
// Calls never block and never fail loudly: without a bus or a notification service nothing
// is shown.
class DBusNotifier : public Notifier {
public:
    explicit DBusNotifier(QDBusConnection connection = QDBusConnection::sessionBus());

    // The desktop needs no permission; this asks the service whether it renders markup in
    // the body, so that text is escaped only where markup is read.
    void requestPermission() override;
    // The identifier travels as the "x-corvelle-identifier" hint; the sound is the desktop's
    // message sound, or suppressed.
    void post(const std::string& identifier, const std::string& title, const std::string& body,
              bool playSound) override;

private:
    QDBusConnection connection_;
    // Unknown until the service answers; an unknown service is assumed to read markup.
    std::shared_ptr<std::optional<bool>> bodyMarkup_ = std::make_shared<std::optional<bool>>();
};

}  // namespace corvelle
