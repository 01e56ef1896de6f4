#include "linux/InstanceLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <system_error>

namespace corvelle {

InstanceLock::InstanceLock(const std::filesystem::path& path) : state_(take(path)) {}

InstanceLock::State InstanceLock::take(const std::filesystem::path& path) {
    std::error_code error;
    const auto folder = path.parent_path();
    if (std::filesystem::create_directories(folder, error)) {
        std::filesystem::permissions(folder, std::filesystem::perms::owner_all, error);
    }
    if (error) return unusable(folder, error.message());
    // Never follows a link, never waits on a pipe put in its place.
    fd_ = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0600);
    struct stat status {};
    if (fd_ < 0 || fstat(fd_, &status) != 0) return unusable(path, std::strerror(errno));
    if (!S_ISREG(status.st_mode)) return unusable(path, "not a regular file");
    if (status.st_uid != geteuid()) return unusable(path, "another user's file");
    if (flock(fd_, LOCK_EX | LOCK_NB) == 0) return State::held;
    return errno == EWOULDBLOCK ? State::busy : unusable(path, std::strerror(errno));
}

InstanceLock::~InstanceLock() {
    if (fd_ >= 0) close(fd_);
}

InstanceLock::State InstanceLock::unusable(const std::filesystem::path& path, const std::string& reason) {
    problem_ = path.string() + ": " + reason;
    if (fd_ >= 0) close(fd_);
    fd_ = -1;
    return State::unusable;
}

}  // namespace corvelle
