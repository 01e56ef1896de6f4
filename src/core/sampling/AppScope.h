#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace corvelle {

// The desktop id of the application a process belongs to, from its control group path, where the
// session's service manager gives every application a unit of its own below the user's manager
// (user@UID.service): app[-<launcher>]-<id>-<random>.scope or app[-<launcher>]-<id>[@<random>].service,
// as GNOME, KDE and flatpak start them. None for any other unit (a terminal tab, a login session,
// a system service) or a path outside the user's manager. Escapes such as \x2d are undone.
std::optional<std::string> desktopIdOfControlGroup(std::string_view path);

}  // namespace corvelle
