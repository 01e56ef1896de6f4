#pragma once

#include <filesystem>

namespace corvelle::Paths {

// $XDG_DATA_HOME/io.mirelo.corvelle, or ~/.local/share/io.mirelo.corvelle.
std::filesystem::path appSupportDirectory();
// Where the running instance keeps its lock and socket: $XDG_RUNTIME_DIR when it names an
// absolute path, otherwise the data folder.
std::filesystem::path instanceDirectory();
// $XDG_CONFIG_HOME/autostart, or ~/.config/autostart.
std::filesystem::path autostartDirectory();

}  // namespace corvelle::Paths
