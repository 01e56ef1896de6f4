#pragma once

#include <cstdint>
#include <string>

namespace corvelle {

// printf-style formatting into a std::string. Numbers use the "C" numeric locale
// (the app keeps LC_NUMERIC at "C").
std::string formatString(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Seconds as "--:--", "45 min" or "2:05".
std::string batteryTimeString(double seconds);
// "1,234 RPM".
std::string rpmString(std::int32_t rpm);
// The text with its spaces made non-breaking, so a wrapped line never splits it ("1,210 RPM").
std::string unbroken(std::string text);
// "12.5 KB/s"; at most GB/s.
std::string throughputString(std::uint64_t bytesPerSecond);
// "512 B", "1.5 GB"; at most TB.
std::string bytesString(std::uint64_t bytes);

}  // namespace corvelle
