#pragma once

#include "platform/MachineSources.h"

#include <filesystem>

namespace corvelle {

// The Linux sources of every seam, reading /proc and /sys below `root`. The clock is the
// system clock; the event loop, the data folder and the notifier are the caller's to set.
MachineSources makeLinuxMachineSources(const std::filesystem::path& root = "/");

}  // namespace corvelle
