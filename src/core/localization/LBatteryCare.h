#pragma once

#include <optional>
#include <string>

// The text catalogue, battery care: the Battery tab's charge limit and power mode card, and the
// sentences the tips add where the machine offers these controls.
namespace corvelle::L {

std::string batteryCareTitle();
std::string batteryCareUnsupported();

std::string chargeLimit();
// A preset's label: "80%", and 100 as no limit.
std::string chargeLimitPreset(int percent);
std::string chargeLimitCustom();
// The thresholds read back from the battery: "Charging stops at 80% and resumes below 75%".
std::string chargeLimitState(int end, std::optional<int> start);
std::string chargeLimitApplying();
std::string chargeLimitNotAuthorized();
// detail: the helper's or daemon's own message; may be empty.
std::string chargeLimitFailed(const std::string& detail);

std::string powerMode();
// A power profile's name; a profile this catalogue does not know shows as the daemon names it.
std::string powerModeName(const std::string& profile);

// Appended to the detail of the low battery tip when power modes are offered.
std::string tipPowerModeExtra();
// Appended to the detail of the charging-to-100% tip when a charge limit can be set.
std::string tipChargeLimitExtra();

}  // namespace corvelle::L
