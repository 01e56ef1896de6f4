#pragma once

#include <string>

// The text catalogue, energy alerts.
namespace corvelle::L {

std::string energyAlertTitle();
// cpu and baseline arrive formatted ("85%").
std::string energyAlertBody(const std::string& name, const std::string& cpu, const std::string& baseline);

}  // namespace corvelle::L
