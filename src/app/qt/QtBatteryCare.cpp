#include "app/qt/QtBatteryCare.h"

#include "care/ChargeLimitRoute.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QProcess>
#include <QTimer>

namespace corvelle {
namespace {

const QString upowerService = QStringLiteral("org.freedesktop.UPower");
const QString deviceInterface = QStringLiteral("org.freedesktop.UPower.Device");
// A password prompt may be open while the daemon waits for polkit.
constexpr int kUPowerTimeoutMs = 120'000;
// pkexec's own exits: the prompt was dismissed, or authorisation failed.
constexpr int kPkexecDismissed = 126;
constexpr int kPkexecNotAuthorized = 127;

// UPower's object for a kernel power supply: "battery_" and the name, other characters as '_'.
QString devicePath(const std::string& battery) {
    QString name = QString::fromStdString(battery);
    for (QChar& c : name) {
        if (!(c.isLetterOrNumber() && c.unicode() < 128)) c = QLatin1Char('_');
    }
    return QStringLiteral("/org/freedesktop/UPower/devices/battery_") + name;
}

std::optional<UPowerChargeOffer> offerOf(const QVariantMap& device) {
    if (!device.contains(QStringLiteral("ChargeThresholdSupported"))) return std::nullopt;
    return UPowerChargeOffer{device.value(QStringLiteral("ChargeThresholdSupported")).toBool(),
                             device.value(QStringLiteral("ChargeStartThreshold")).toInt(),
                             device.value(QStringLiteral("ChargeEndThreshold")).toInt()};
}

ChargeLimitStatus statusOfDBusError(const QDBusError& error) {
    const QString name = error.name();
    const bool refused = error.type() == QDBusError::AccessDenied || name.contains(QStringLiteral("NotAuthorized")) ||
                         name.contains(QStringLiteral("PermissionDenied"));
    return refused ? ChargeLimitStatus::notAuthorized : ChargeLimitStatus::failed;
}

// The helper's message without its program name.
std::string helperMessage(QProcess& process) {
    QString text = QString::fromUtf8(process.readAllStandardError()).trimmed();
    text.remove(QStringLiteral("corvelle-charge-limit: "));
    return text.toStdString();
}

}  // namespace

QStringList QtBatteryCare::installedHelper() {
    return {QStringLiteral("pkexec"), QStringLiteral(CORVELLE_CHARGE_LIMIT_HELPER)};
}

QtBatteryCare::QtBatteryCare(std::unique_ptr<ChargeThresholdSource> source, QDBusConnection upowerBus,
                             QStringList helperCommand)
    : source_(std::move(source)), bus_(std::move(upowerBus)), helperCommand_(std::move(helperCommand)) {}

ChargeThresholds QtBatteryCare::thresholds() { return source_->read(); }

void QtBatteryCare::setChargeLimit(const ChargeLimit& limit, Done done) {
    if (pending_) return answerLater(done, {ChargeLimitStatus::busy, {}});
    if (problemOf(limit) != ChargeLimitProblem::none) return answerLater(done, {ChargeLimitStatus::invalid, {}});
    const ChargeThresholds current = source_->read();
    if (!current.supported()) return answerLater(done, {ChargeLimitStatus::unsupported, {}});
    pending_ = std::move(done);
    // Without a system bus (a pending call on it would never finish) only the helper is left.
    if (!bus_.isConnected()) {
        QTimer::singleShot(0, context_.get(), [this, battery = current.battery, limit] { apply(battery, limit, {}); });
        return;
    }

    // What the running UPower offers decides the route; no UPower (an error reply) means the helper.
    QDBusMessage getAll = QDBusMessage::createMethodCall(upowerService, devicePath(current.battery),
                                                         QStringLiteral("org.freedesktop.DBus.Properties"),
                                                         QStringLiteral("GetAll"));
    getAll << deviceInterface;
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(getAll), context_.get());
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, context_.get(),
                     [this, watcher, battery = current.battery, limit] {
                         QDBusPendingReply<QVariantMap> reply = *watcher;
                         watcher->deleteLater();
                         apply(battery, limit, reply.isValid() ? reply.value() : QVariantMap());
                     });
}

void QtBatteryCare::answerLater(const Done& done, ChargeLimitResult result) {
    QTimer::singleShot(0, context_.get(), [done, result] { done(result); });
}

void QtBatteryCare::apply(const std::string& battery, const ChargeLimit& limit, const QVariantMap& upowerDevice) {
    switch (routeFor(offerOf(upowerDevice), limit)) {
        case ChargeLimitRoute::enableUPowerLimit: return callUPower(battery, true);
        case ChargeLimitRoute::disableUPowerLimit: return callUPower(battery, false);
        case ChargeLimitRoute::helper: return runHelper(battery, limit);
    }
}

void QtBatteryCare::callUPower(const std::string& battery, bool enable) {
    QDBusMessage call = QDBusMessage::createMethodCall(upowerService, devicePath(battery), deviceInterface,
                                                       QStringLiteral("EnableChargeThreshold"));
    call << enable;
    call.setInteractiveAuthorizationAllowed(true);
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(call, kUPowerTimeoutMs), context_.get());
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, context_.get(), [this, watcher] {
        watcher->deleteLater();
        if (!watcher->isError()) return finish({ChargeLimitStatus::applied, {}});
        finish({statusOfDBusError(watcher->error()), watcher->error().message().toStdString()});
    });
}

void QtBatteryCare::runHelper(const std::string& battery, const ChargeLimit& limit) {
    QStringList arguments = helperCommand_.mid(1);
    arguments << QString::fromStdString(battery);
    if (limit.start) arguments << QString::number(*limit.start);
    arguments << QString::number(limit.end);

    auto* process = new QProcess(context_.get());
    QObject::connect(process, &QProcess::finished, context_.get(), [this, process](int code, QProcess::ExitStatus how) {
        process->deleteLater();
        if (how == QProcess::NormalExit && code == 0) return finish({ChargeLimitStatus::applied, {}});
        const bool refused = how == QProcess::NormalExit && (code == kPkexecDismissed || code == kPkexecNotAuthorized);
        finish({refused ? ChargeLimitStatus::notAuthorized : ChargeLimitStatus::failed, helperMessage(*process)});
    });
    QObject::connect(process, &QProcess::errorOccurred, context_.get(), [this, process](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart) return;
        process->deleteLater();
        finish({ChargeLimitStatus::failed, process->errorString().toStdString()});
    });
    process->start(helperCommand_.value(0), arguments);
}

void QtBatteryCare::finish(ChargeLimitResult result) {
    std::exchange(pending_, nullptr)(std::move(result));
}

}  // namespace corvelle
