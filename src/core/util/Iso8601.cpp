#include "util/Iso8601.h"

#include <chrono>
#include <cmath>
#include <cstdio>

namespace corvelle::Iso8601 {
namespace {

bool digits(std::string_view text, size_t at, size_t count, int& value) {
    if (at + count > text.size()) return false;
    value = 0;
    for (size_t i = at; i < at + count; ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
        value = value * 10 + (text[i] - '0');
    }
    return true;
}

bool expect(std::string_view text, size_t at, char c) { return at < text.size() && text[at] == c; }

}  // namespace

std::string format(double unixSeconds) {
    using namespace std::chrono;
    const auto whole = static_cast<long long>(std::floor(unixSeconds));
    const sys_seconds moment{seconds{whole}};
    const auto day = floor<days>(moment);
    const year_month_day date{day};
    const hh_mm_ss time{moment - day};
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%04d-%02u-%02uT%02d:%02d:%02dZ", static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
                  static_cast<int>(time.hours().count()), static_cast<int>(time.minutes().count()),
                  static_cast<int>(time.seconds().count()));
    return buffer;
}

std::optional<double> parse(std::string_view text) {
    int y, mo, d, h, mi, s;
    if (!digits(text, 0, 4, y) || !expect(text, 4, '-') || !digits(text, 5, 2, mo) || !expect(text, 7, '-') ||
        !digits(text, 8, 2, d) || !expect(text, 10, 'T') || !digits(text, 11, 2, h) || !expect(text, 13, ':') ||
        !digits(text, 14, 2, mi) || !expect(text, 16, ':') || !digits(text, 17, 2, s)) {
        return std::nullopt;
    }
    int offsetMinutes = 0;
    if (text.size() == 20 && text[19] == 'Z') {
        offsetMinutes = 0;
    } else if (text.size() == 25 && (text[19] == '+' || text[19] == '-') && expect(text, 22, ':')) {
        int oh, om;
        if (!digits(text, 20, 2, oh) || !digits(text, 23, 2, om) || oh > 23 || om > 59) return std::nullopt;
        offsetMinutes = (oh * 60 + om) * (text[19] == '-' ? -1 : 1);
    } else {
        return std::nullopt;
    }
    using namespace std::chrono;
    const year_month_day date{year{y}, month{static_cast<unsigned>(mo)}, day{static_cast<unsigned>(d)}};
    if (!date.ok() || h > 23 || mi > 59 || s > 59) return std::nullopt;
    const auto dayCount = sys_days{date}.time_since_epoch().count();
    return static_cast<double>(dayCount) * 86400.0 + h * 3600.0 + mi * 60.0 + s - offsetMinutes * 60.0;
}

}  // namespace corvelle::Iso8601
