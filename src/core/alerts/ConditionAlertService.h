#pragma once

#include "model/ChargeLevel.h"
#include "model/ThermalLevel.h"
#include "platform/Notifier.h"

#include <memory>
#include <optional>
#include <vector>

namespace corvelle {

class AppSettings;

// The thermal warning and the low-battery alert. Each is posted once when its condition is
// reached while its setting is on, and only armed again once the condition has cleared: the
// thermal state back at fair or below, the charge back above the threshold. A condition met
// while its setting is off posts nothing and keeps the alert armed. Main thread only.
class ConditionAlertService {
public:
    enum class Alert { thermal, lowBattery };
    // A battery without a percentage is judged by its level (Low and Critical are low); one
    // with neither is neither low nor recharged.
    struct Battery {
        std::optional<double> percentage;
        bool discharging = false;
        std::optional<ChargeLevel> level;
    };

    // A null notifier shows nothing. The settings are read afresh at every check.
    ConditionAlertService(const AppSettings& appSettings, std::shared_ptr<Notifier> notifier);

    // One tick: posts and returns what it raises. `battery` is absent on a tick without a
    // battery reading, which leaves the low-battery alert as it was.
    std::vector<Alert> check(ThermalLevel level, const std::optional<Battery>& battery);

private:
    // Armed until it fires; fired alerts wait for `rearm`.
    struct Latch {
        bool armed = true;
        bool fires(bool reached, bool rearm, bool enabled);
    };

    void post(Alert alert, ThermalLevel level, const std::optional<Battery>& battery) const;

    const AppSettings& appSettings_;
    std::shared_ptr<Notifier> notifier_;
    Latch thermal_;
    Latch lowBattery_;
};

}  // namespace corvelle
