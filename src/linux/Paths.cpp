#include "linux/Paths.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

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

std::filesystem::path instanceDirectory() {
    if (const char* value = std::getenv("XDG_RUNTIME_DIR"); value && value[0] == '/') return value;
    return appSupportDirectory();
}

std::filesystem::path autostartDirectory() { return xdg("XDG_CONFIG_HOME", ".config") / "autostart"; }

}  // namespace corvelle::Paths
