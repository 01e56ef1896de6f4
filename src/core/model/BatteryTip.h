#pragma once

#include <string>

namespace corvelle {

// One ranked piece of advice for the tips tab; identified by id.
struct BatteryTip {
    enum class Severity { info, warning, critical };

    std::string id;     // the rule's identifier, with a suffix for per-process and per-warning tips
    std::string icon;   // symbol name
    std::string title;  // localised
    std::string detail; // localised
    int priority = 0;   // lower is more important
    Severity severity = Severity::info;

    bool operator==(const BatteryTip&) const = default;
};

}  // namespace corvelle
