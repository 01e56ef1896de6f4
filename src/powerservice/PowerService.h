#pragma once

#include "linux/power/RaplDomain.h"

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

// corvelle-power, the power service: since Linux 5.10 only root may read the RAPL energy
// counters, so it reads them for every user and publishes a copy once a second (no more often:
// a finer grain is what the kernel's restriction keeps from unprivileged eyes). It runs as a
// transient user with the one capability that reads any file, and writes nothing but the copy.
namespace corvelle::PowerService {

enum Exit : int {
    stopped = 0,     // SIGTERM or SIGINT, or a machine without RAPL counters
    cannotWrite = 1, // the runtime folder took no copy
    badArguments = 2,
};

// Publishes the domains' counters, read at `time` on the boot clock, as `folder`/rapl, replaced
// whole and readable by every user. False, with errno set, when it could not be written.
bool publish(const std::filesystem::path& folder, double time, const std::vector<RaplDomain>& domains);

// Publishes once a second until SIGTERM or SIGINT, then removes the copy. A machine whose counters have not appeared a minute after the start has none: the
// service ends. Problems are told on `err`.
int run(const std::filesystem::path& root, const std::filesystem::path& folder, std::ostream& err);

// The runtime folder systemd made for the service: the first of RUNTIME_DIRECTORY's folders.
std::filesystem::path runtimeFolder(const char* variable);

}  // namespace corvelle::PowerService
