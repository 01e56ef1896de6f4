#pragma once

#include "model/ThermalLevel.h"

#include <string>

// The text catalogue, thermal warning and low-battery alert.
namespace corvelle::L {

std::string thermalAlertTitle();
std::string thermalAlertBody(ThermalLevel level);
std::string lowBatteryAlertTitle();
// percent arrives formatted ("9%").
std::string lowBatteryAlertBody(const std::string& percent);

}  // namespace corvelle::L
