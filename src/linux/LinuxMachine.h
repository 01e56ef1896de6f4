#pragma once

#include "platform/MachineSources.h"

#include <filesystem>

namespace corvelle {

// The Linux sources of every seam, reading /proc and /sys below `root`. The clock is the
// system clock and saved files are synced to the device; the event loop, the app-support folder
// and the notifier are the caller's to set.
MachineSources makeLinuxMachineSources(const std::filesystem::path& root = "/");

}  // namespace corvelle
