#include "linux/Paths.h"

#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <string_view>

namespace corvelle::Paths {
namespace {

std::filesystem::path home() {
    if (const char* value = std::getenv("HOME"); value && *value) return value;
    if (const passwd* entry = getpwuid(getuid()); entry && entry->pw_dir) return entry->pw_dir;
    return "/tmp";
}

// An XDG base directory: the variable when it holds an absolute path, else the fallback.
std::filesystem::path xdg(const char* variable, const char* fallbackUnderHome) {
    if (const char* value = std::getenv(variable); value && value[0] == '/') return value;
    return home() / fallbackUnderHome;
}

}  // namespace

std::filesystem::path appSupportDirectory() { return xdg("XDG_DATA_HOME", ".local/share") / "io.mirelo.corvelle"; }

std::vector<std::filesystem::path> instanceDirectories() {
    std::vector<std::filesystem::path> dirs;
    if (const char* value = std::getenv("XDG_RUNTIME_DIR"); value && value[0] == '/') dirs.emplace_back(value);
    dirs.push_back(appSupportDirectory());
    return dirs;
}

std::filesystem::path autostartDirectory() { return xdg("XDG_CONFIG_HOME", ".config") / "autostart"; }

std::vector<std::filesystem::path> dataDirectories() {
    const auto dataHome = xdg("XDG_DATA_HOME", ".local/share");
    std::vector<std::filesystem::path> dirs{dataHome};
    const char* list = std::getenv("XDG_DATA_DIRS");
    std::string_view rest = list && *list ? list : "/usr/local/share:/usr/share";
    while (!rest.empty()) {
        const auto colon = rest.find(':');
        const auto dir = rest.substr(0, colon);
        if (dir.starts_with('/')) dirs.emplace_back(dir);
        rest = colon == std::string_view::npos ? std::string_view() : rest.substr(colon + 1);
    }
    for (const auto& exports : {dataHome / "flatpak/exports/share", std::filesystem::path("/var/lib/flatpak/exports/share")}) {
        if (std::ranges::find(dirs, exports) == dirs.end()) dirs.push_back(exports);
    }
    return dirs;
}

}  // namespace corvelle::Paths
