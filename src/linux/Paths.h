#pragma once

#include <filesystem>
#include <vector>

namespace corvelle::Paths {

// $XDG_DATA_HOME/io.mirelo.corvelle, or ~/.local/share/io.mirelo.corvelle.
std::filesystem::path appSupportDirectory();
// Where the running instance keeps its lock and socket: $XDG_RUNTIME_DIR when it names an
// absolute path, otherwise the data folder.
std::filesystem::path instanceDirectory();
// $XDG_CONFIG_HOME/autostart, or ~/.config/autostart.
std::filesystem::path autostartDirectory();
// The XDG data directories, most important first: $XDG_DATA_HOME (~/.local/share), then
// $XDG_DATA_DIRS (/usr/local/share:/usr/share), then the folders flatpak exports its
// applications to when the session has not listed them.
std::vector<std::filesystem::path> dataDirectories();

}  // namespace corvelle::Paths
