#pragma once

#include <optional>
#include <string_view>

// The values of hwmon and thermal-zone files. Sensor faults and placeholders read as absent,
// never as a figure.
namespace corvelle::SensorText {

// Millidegrees as °C; absent when malformed or outside -50 to 200 °C.
std::optional<double> celsius(std::string_view text);
// A fan's speed in revolutions per minute; absent when malformed, negative or 65535 and beyond.
std::optional<double> rpm(std::string_view text);

}  // namespace corvelle::SensorText
