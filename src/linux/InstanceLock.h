#pragma once

#include <filesystem>
#include <string>

namespace corvelle {

// The lock that lets one instance of a program run per user: an advisory lock (flock) on a file
// of this user's. The kernel drops it when its holder ends, however it ends, so the lock is
// held exactly while a running instance holds it: there is no process id to trust (a live one may
// be another program's, or ours in another mode) and no stale lock to clear.
class InstanceLock {
public:
    enum class State {
        held,      // ours now, until this object goes
        busy,      // a running instance holds it
        unusable,  // no lock can be made there: see problem()
    };

    // Creates the folder (mode 0700) and the file (0600) when missing, then tries the lock,
    // without waiting. A file that is not this user's regular file is unusable: another user's
    // lock in a shared folder is not ours to take or to wait for.
    explicit InstanceLock(const std::filesystem::path& path);
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    State state() const { return state_; }
    // Why the lock is unusable, as "/run/user/1000/x.lock: Permission denied".
    const std::string& problem() const { return problem_; }

private:
    State take(const std::filesystem::path& path);
    State unusable(const std::filesystem::path& path, const std::string& reason);

    int fd_ = -1;
    std::string problem_;
    State state_;
};

}  // namespace corvelle
