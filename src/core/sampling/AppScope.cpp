#include "sampling/AppScope.h"

#include <algorithm>
#include <cctype>

namespace corvelle {
namespace {

constexpr std::string_view kAutostart = "-autostart";

bool isAlnum(char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; }
bool allAlnum(std::string_view text) { return std::ranges::all_of(text, isAlnum); }

// The first unit below the user's service manager that is not a slice.
std::string_view userUnit(std::string_view path) {
    bool belowManager = false;
    while (!path.empty()) {
        const auto slash = path.find('/');
        const auto piece = path.substr(0, slash);
        path = slash == std::string_view::npos ? std::string_view() : path.substr(slash + 1);
        if (piece.empty() || piece.ends_with(".slice")) continue;
        if (belowManager) return piece;
        belowManager = piece.starts_with("user@") && piece.ends_with(".service");
    }
    return {};
}

// A scope's id without its "-<random>" tail; empty when there is no such tail.
std::string_view scopeId(std::string_view body) {
    const auto dash = body.rfind('-');
    if (dash == std::string_view::npos || !allAlnum(body.substr(dash + 1))) return {};
    return body.substr(0, dash);
}

// A service's id without its "@<random>" tail, if any.
std::string_view serviceId(std::string_view body) { return body.substr(0, body.rfind('@')); }

// The id of a unit body, after an optional "<launcher>-" made of letters and digits.
std::string_view unitId(std::string_view body, std::string_view (*idOf)(std::string_view)) {
    const auto launcherEnd = std::ranges::find_if_not(body, isAlnum) - body.begin();
    if (launcherEnd > 0 && static_cast<size_t>(launcherEnd) < body.size() && body[launcherEnd] == '-') {
        if (const auto id = idOf(body.substr(launcherEnd + 1)); !id.empty()) return id;
    }
    return idOf(body);
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::string unescaped(std::string_view id) {
    std::string out;
    for (size_t i = 0; i < id.size(); ++i) {
        if (id[i] == '\\' && i + 3 < id.size() && id[i + 1] == 'x' && hexValue(id[i + 2]) >= 0 &&
            hexValue(id[i + 3]) >= 0) {
            out += static_cast<char>(hexValue(id[i + 2]) * 16 + hexValue(id[i + 3]));
            i += 3;
        } else {
            out += id[i];
        }
    }
    return out;
}

}  // namespace

std::optional<std::string> desktopIdOfControlGroup(std::string_view path) {
    auto unit = userUnit(path);
    if (!unit.starts_with("app-")) return std::nullopt;
    unit.remove_prefix(4);
    std::string_view id;
    if (unit.ends_with(".scope")) {
        id = unitId(unit.substr(0, unit.size() - 6), scopeId);
    } else if (unit.ends_with(".service")) {
        // The tail goes first: "nautilus-autostart" is no launcher "nautilus" of an app "autostart".
        auto body = unit.substr(0, unit.size() - 8);
        if (body.ends_with(kAutostart)) body.remove_suffix(kAutostart.size());
        id = unitId(body, serviceId);
    }
    if (id.empty()) return std::nullopt;
    return unescaped(id);
}

}  // namespace corvelle
