#pragma once

#include "platform/BatteryCare.h"
#include "platform/ChargeThresholdSource.h"

#include <QDBusConnection>
#include <QObject>
#include <QStringList>

#include <memory>

namespace corvelle {

// The charge limit on Linux: thresholds read from sysfs; set through UPower's charge threshold
// on the battery when the running UPower offers the requested limit, else by the privileged
// helper behind pkexec. Everything runs asynchronously on the Qt event loop.
class QtBatteryCare : public BatteryCare {
public:
    // The helper command; the battery and the thresholds are appended to it.
    static QStringList installedHelper();

    explicit QtBatteryCare(std::unique_ptr<ChargeThresholdSource> source,
                           QDBusConnection upowerBus = QDBusConnection::systemBus(),
                           QStringList helperCommand = installedHelper());

    ChargeThresholds thresholds() override;
    void setChargeLimit(const ChargeLimit& limit, std::function<void(ChargeLimitResult)> done) override;

private:
    using Done = std::function<void(ChargeLimitResult)>;
    void answerLater(const Done& done, ChargeLimitResult result);
    void apply(const std::string& battery, const ChargeLimit& limit, const QVariantMap& upowerDevice);
    void callUPower(const std::string& battery, bool enable);
    void runHelper(const std::string& battery, const ChargeLimit& limit);
    void finish(ChargeLimitResult result);

    std::unique_ptr<ChargeThresholdSource> source_;
    QDBusConnection bus_;
    QStringList helperCommand_;
    // Parent of every pending call and process: destroying it drops their callbacks.
    std::unique_ptr<QObject> context_ = std::make_unique<QObject>();
    Done pending_;  // the running request's callback; empty when idle
};

}  // namespace corvelle
