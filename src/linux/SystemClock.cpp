#include "linux/SystemClock.h"

#include <time.h>

namespace corvelle {
namespace {
double read(clockid_t id) {
    timespec value{};
    clock_gettime(id, &value);
    return static_cast<double>(value.tv_sec) + static_cast<double>(value.tv_nsec) / 1e9;
}
}  // namespace

double SystemClock::now() const { return read(CLOCK_REALTIME); }
double SystemClock::uptime() const { return read(CLOCK_BOOTTIME); }

}  // namespace corvelle
