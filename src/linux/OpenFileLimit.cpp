#include "linux/OpenFileLimit.h"

#include <sys/resource.h>

#include <algorithm>

namespace corvelle {
namespace {

// Four times the most the process table holds.
constexpr rlim_t kMostOpenFiles = 16384;

}  // namespace

void raiseOpenFileLimit() {
    rlimit files{};
    if (getrlimit(RLIMIT_NOFILE, &files) != 0) return;
    const rlim_t wanted = files.rlim_max == RLIM_INFINITY ? kMostOpenFiles : std::min(files.rlim_max, kMostOpenFiles);
    if (files.rlim_cur == RLIM_INFINITY || files.rlim_cur >= wanted) return;
    files.rlim_cur = wanted;
    setrlimit(RLIMIT_NOFILE, &files);
}

}  // namespace corvelle
