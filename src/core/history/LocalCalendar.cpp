#include "history/LocalCalendar.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>

namespace corvelle::LocalCalendar {
namespace {

std::tm localTime(double unixSeconds) {
    std::tm local{};
    // Moments a time_t cannot hold are not on any calendar; they are treated as the epoch.
    const bool representable = std::isfinite(unixSeconds) && std::fabs(unixSeconds) < 1e15;
    const auto seconds = static_cast<std::time_t>(representable ? std::floor(unixSeconds) : 0);
    localtime_r(&seconds, &local);
    return local;
}

std::chrono::year_month_day localDate(double unixSeconds) {
    const auto local = localTime(unixSeconds);
    return std::chrono::year_month_day{std::chrono::year{local.tm_year + 1900},
                                       std::chrono::month{static_cast<unsigned>(local.tm_mon + 1)},
                                       std::chrono::day{static_cast<unsigned>(local.tm_mday)}};
}

std::string keyOf(std::chrono::year_month_day date) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%04d-%02u-%02u", static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
    return buffer;
}

bool digits(std::string_view text, int& value) {
    value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
    }
    return true;
}

}  // namespace

std::string dayKey(double unixSeconds) { return keyOf(localDate(unixSeconds)); }

int hour(double unixSeconds) { return localTime(unixSeconds).tm_hour; }

std::string dayKeyDaysBefore(double unixSeconds, int days) {
    return keyOf(std::chrono::sys_days{localDate(unixSeconds)} - std::chrono::days{days});
}

std::optional<std::int64_t> dayNumber(std::string_view key) {
    int y, m, d;
    if (key.size() != 10 || key[4] != '-' || key[7] != '-' || !digits(key.substr(0, 4), y) ||
        !digits(key.substr(5, 2), m) || !digits(key.substr(8, 2), d)) {
        return std::nullopt;
    }
    const std::chrono::year_month_day date{std::chrono::year{y}, std::chrono::month{static_cast<unsigned>(m)},
                                           std::chrono::day{static_cast<unsigned>(d)}};
    if (!date.ok()) return std::nullopt;
    return std::chrono::sys_days{date}.time_since_epoch().count();
}

}  // namespace corvelle::LocalCalendar
