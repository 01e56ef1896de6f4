#pragma once

#include <filesystem>

namespace corvelle::Paths {

// $XDG_DATA_HOME/io.mirelo.corvelle, or ~/.local/share/io.mirelo.corvelle.
std::filesystem::path appSupportDirectory();
// $XDG_CONFIG_HOME/autostart, or ~/.config/autostart.
std::filesystem::path autostartDirectory();

}  // namespace corvelle::Paths
