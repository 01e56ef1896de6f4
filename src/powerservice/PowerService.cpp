#include "powerservice/PowerService.h"

#include "linux/power/PowerServiceCopy.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstring>
#include <ctime>
#include <string_view>

namespace corvelle::PowerService {
namespace {

namespace fs = std::filesystem;

// How long a machine may take to load its RAPL driver after the service started.
constexpr int kSecondsToAppear = 60;

double bootSeconds() {
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

// Writes the whole text to a new file of its own at `path`, readable by everyone whatever the
// umask; it must not be a link.
bool writeReadable(const fs::path& path, std::string_view text) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    bool written = ::fchmod(fd, 0644) == 0;
    while (written && !text.empty()) {
        const ssize_t n = ::write(fd, text.data(), text.size());
        written = n > 0;
        if (written) text.remove_prefix(static_cast<size_t>(n));
    }
    const int cause = errno;
    if (::close(fd) != 0 && written) return false;
    errno = cause;
    return written;
}

// Waits until the next whole second of the boot clock, or a stop signal; true for the signal.
bool waitForStop(const sigset_t& stops) {
    const double now = bootSeconds();
    const double wait = std::max(0.001, std::ceil(now + 1e-6) - now);
    timespec timeout{static_cast<time_t>(wait), static_cast<long>((wait - std::floor(wait)) * 1e9)};
    return sigtimedwait(&stops, nullptr, &timeout) > 0;
}

}  // namespace

bool publish(const fs::path& folder, double time, const std::vector<RaplDomain>& domains) {
    const fs::path target = folder / PowerServiceCopy::kFileName;
    const fs::path temporary = folder / (std::string(PowerServiceCopy::kFileName) + ".new");
    const std::string text = PowerServiceCopy::compose(time, domains);
    return writeReadable(temporary, text) && ::rename(temporary.c_str(), target.c_str()) == 0;
}

int run(const fs::path& root, const fs::path& folder, std::ostream& err) {
    sigset_t stops;
    sigemptyset(&stops);
    sigaddset(&stops, SIGTERM);
    sigaddset(&stops, SIGINT);
    // Taken between publications, never in the middle of one.
    sigprocmask(SIG_BLOCK, &stops, nullptr);
    const fs::path copy = folder / PowerServiceCopy::kFileName;
    int waited = 0;
    bool appeared = false;
    do {
        const auto domains = RaplDomain::list(root);
        // The time right after the counters: a copy's time is when they were read.
        const double time = bootSeconds();
        appeared = appeared || !domains.empty();
        if (!appeared && ++waited > kSecondsToAppear) {
            err << "corvelle-power: this machine has no RAPL energy counters\n";
            return stopped;
        }
        if (appeared && !publish(folder, time, domains)) {
            err << "corvelle-power: cannot write " << copy.string() << ": " << std::strerror(errno) << "\n";
            return cannotWrite;
        }
    } while (!waitForStop(stops));
    ::unlink(copy.c_str());
    return stopped;
}

fs::path runtimeFolder(const char* variable) {
    if (!variable) return {};
    const std::string_view folders = variable;
    return fs::path(folders.substr(0, folders.find(':')));
}

}  // namespace corvelle::PowerService
