#pragma once

#include "platform/BatteryCare.h"
#include "platform/ChargeThresholds.h"
#include "util/SystemColor.h"

#include <optional>
#include <string>
#include <vector>

// What the battery care card shows, computed without any display from what the card knows; the
// card only shows it and skips redraws when it did not change.
namespace corvelle::BatteryCareContent {

// What the card knows of the machine and of its own request.
struct Input {
    std::optional<ChargeThresholds> thresholds;  // none: no charge limit control at all
    std::vector<std::string> profiles;           // the power modes offered, in the daemon's order
    std::string activeProfile;
    bool applying = false;                          // a charge limit request is running
    std::optional<ChargeLimitResult> lastResult;    // of the last request, until the next one
};

// One choice of a row of buttons.
struct Choice {
    std::string key;    // what choosing it asks for: the end percentage, or the profile's name
    std::string label;  // also its accessible name
    bool checked = false;
    bool operator==(const Choice&) const = default;
};

struct ChargeLimitPart {
    std::vector<Choice> presets;
    bool customChecked = false;  // the end threshold is no preset
    int customValue = 80;        // the spin box: the current end threshold
    int customMinimum = 1;       // the lowest end that leaves room for a start threshold below it
    std::string state;           // the thresholds as read back; empty without an end threshold
    std::string message;         // applying, refused or failed; empty otherwise
    SystemColor messageColor = SystemColor::secondary;
    bool enabled = true;         // false while a request runs
    bool operator==(const ChargeLimitPart&) const = default;
};

struct Content {
    std::optional<ChargeLimitPart> chargeLimit;  // only where the battery has an end threshold
    std::vector<Choice> powerModes;              // empty: the daemon offers none
    std::string unsupported;                     // the one line when neither is offered
    bool operator==(const Content&) const = default;
};

Content content(const Input& input);

}  // namespace corvelle::BatteryCareContent
