#pragma once

#include <filesystem>
#include <vector>

namespace corvelle::Paths {

// $XDG_DATA_HOME/io.mirelo.corvelle, or ~/.local/share/io.mirelo.corvelle.
std::filesystem::path appSupportDirectory();
// Where the running instance may keep its lock and socket, first choice first: $XDG_RUNTIME_DIR
// when it names an absolute path, then the data folder.
std::vector<std::filesystem::path> instanceDirectories();
// $XDG_CONFIG_HOME/autostart, or ~/.config/autostart.
std::filesystem::path autostartDirectory();
// The XDG data directories, most important first: $XDG_DATA_HOME (~/.local/share), then
// $XDG_DATA_DIRS (/usr/local/share:/usr/share), then the folders flatpak exports its
// applications to when the session has not listed them.
std::vector<std::filesystem::path> dataDirectories();

}  // namespace corvelle::Paths
