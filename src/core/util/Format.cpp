#include "util/Format.h"

#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <vector>

namespace corvelle {

std::string formatString(const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    const int size = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::string result;
    if (size > 0) {
        std::vector<char> buffer(static_cast<size_t>(size) + 1);
        std::vsnprintf(buffer.data(), buffer.size(), format, args);
        result.assign(buffer.data(), static_cast<size_t>(size));
    }
    va_end(args);
    return result;
}

std::string batteryTimeString(double seconds) {
    if (!std::isfinite(seconds) || seconds <= 0) return "--:--";
    // Durations beyond what a 64-bit count of minutes holds are not battery times.
    if (seconds >= 9.0e18) return "--:--";
    const auto minutes = static_cast<long long>(seconds / 60);
    if (minutes < 60) return std::to_string(minutes) + " min";
    return formatString("%lld:%02lld", minutes / 60, minutes % 60);
}

std::string unbroken(std::string text) {
    std::string result;
    for (char c : text) result += c == ' ' ? std::string("\u00a0") : std::string(1, c);
    return result;
}

std::string rpmString(std::int32_t rpm) {
    const bool negative = rpm < 0;
    std::string digits = std::to_string(negative ? -static_cast<std::int64_t>(rpm) : static_cast<std::int64_t>(rpm));
    std::string grouped;
    const size_t count = digits.size();
    for (size_t i = 0; i < count; ++i) {
        if (i > 0 && (count - i) % 3 == 0) grouped += ',';
        grouped += digits[i];
    }
    return (negative ? "-" : "") + grouped + " RPM";
}

std::string throughputString(std::uint64_t bytesPerSecond) {
    static const char* const units[] = {"B/s", "KB/s", "MB/s", "GB/s"};
    double value = static_cast<double>(bytesPerSecond);
    int unit = 0;
    while (value >= 1024 && unit < 3) {
        value /= 1024;
        ++unit;
    }
    return formatString("%.1f %s", value, units[unit]);
}

std::string bytesString(std::uint64_t bytes) {
    static const char* const units[] = {"KB", "MB", "GB", "TB"};
    if (bytes < 1024) return formatString("%.0f %s", static_cast<double>(bytes), "B");
    double value = static_cast<double>(bytes);
    int divisions = 0;
    while (value >= 1024 && divisions < 4) {
        value /= 1024;
        ++divisions;
    }
    return formatString("%.1f %s", value, units[divisions - 1]);
}

}  // namespace corvelle
