#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The user's calendar: day keys and hours in the local time zone (TZ, else /etc/localtime).
namespace corvelle::LocalCalendar {

// "2025-06-30": the local date of a moment, fixed width, so text order is date order.
std::string dayKey(double unixSeconds);
// The local hour, 0 to 23.
int hour(double unixSeconds);
// The day key of the local date `days` calendar days before the moment's local date.
std::string dayKeyDaysBefore(double unixSeconds, int days);
// Days since 1970-01-01 of a "yyyy-MM-dd" key; absent unless the text is exactly such a
// valid date.
std::optional<std::int64_t> dayNumber(std::string_view key);

}  // namespace corvelle::LocalCalendar
