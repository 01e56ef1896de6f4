#pragma once

#include "util/SystemColor.h"

#include <string>

namespace corvelle {

// Description of the status-item battery symbol; the app draws it.
struct BatteryIcon {
    std::string symbolName;  // "battery.75", "battery.100.bolt"; "desktopcomputer" without a battery
    std::string stateLabel;  // "Charging", "Plugged In", "Battery" (or Spanish)
    SystemColor color = SystemColor::green;
    bool plugBadge = false;  // plugged in and not charging: a "powerplug.fill" badge beside the battery
    // symbolName + "-" + stateLabel; empty on the plug-badge composite, which carries none.
    std::string accessibilityDescription;

    // The key of the status-item change test.
    const std::string& key() const { return accessibilityDescription; }
    bool operator==(const BatteryIcon&) const = default;
};

}  // namespace corvelle
