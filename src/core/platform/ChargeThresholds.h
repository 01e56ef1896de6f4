#pragma once

#include <optional>
#include <string>

namespace corvelle {

// A battery's charge thresholds as the kernel reports them: charging stops at `end` percent and,
// where the battery has a start threshold, resumes only below `start` percent.
struct ChargeThresholds {
    std::string battery;  // the kernel's name of the battery ("BAT0"); empty without a battery
    std::optional<int> start;
    std::optional<int> end;

    // A limit can be set: the battery has an end threshold.
    bool supported() const { return !battery.empty() && end.has_value(); }

    bool operator==(const ChargeThresholds&) const = default;
};

}  // namespace corvelle
