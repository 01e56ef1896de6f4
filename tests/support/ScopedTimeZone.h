#pragma once

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

namespace corvelle::test {

// Central European rules: the zone the history tests run in.
inline constexpr const char* kMadrid = "CET-1CEST,M3.5.0,M10.5.0/3";

// Sets TZ (a zone name or a POSIX rule such as "CET-1CEST,M3.5.0,M10.5.0/3") for the life of
// the object, then restores the previous value.
class ScopedTimeZone {
public:
    explicit ScopedTimeZone(const std::string& zone) {
        if (const char* old = std::getenv("TZ")) previous_ = old;
        set(zone);
    }
    ~ScopedTimeZone() {
        if (previous_) {
            ::setenv("TZ", previous_->c_str(), 1);
        } else {
            ::unsetenv("TZ");
        }
        ::tzset();
    }
    ScopedTimeZone(const ScopedTimeZone&) = delete;
    ScopedTimeZone& operator=(const ScopedTimeZone&) = delete;

    // Moves to another zone while the object lives (a user travelling).
    void set(const std::string& zone) {
        ::setenv("TZ", zone.c_str(), 1);
        ::tzset();
    }

private:
    std::optional<std::string> previous_;
};

// Seconds since 1970 of a local wall-clock time in the current TZ.
inline double localMoment(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
    std::tm local{};
    local.tm_year = year - 1900;
    local.tm_mon = month - 1;
    local.tm_mday = day;
    local.tm_hour = hour;
    local.tm_min = minute;
    local.tm_sec = second;
    local.tm_isdst = -1;
    return static_cast<double>(std::mktime(&local));
}

}  // namespace corvelle::test
