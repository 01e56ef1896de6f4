#include "linux/LinuxProcessTable.h"

#include "linux/TextFile.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <limits>
#include <utility>

namespace corvelle {
namespace {

constexpr std::uint64_t kNanosecondsPerSecond = 1'000'000'000;
constexpr size_t kMostHeldDescriptors = 4096;
constexpr std::string_view kDeletedSuffix = " (deleted)";
// Executables that live only in memory: their link names no program.
constexpr std::string_view kMemoryFilePrefix = "/memfd:";
constexpr std::uint64_t kKernelThreadFlag = 0x00200000;  // PF_KTHREAD
constexpr size_t kMostPidFileSize = 16384;

// Field positions after the closing parenthesis of the name: 0 is the state (field 3).
constexpr size_t kState = 0;
constexpr size_t kFlags = 6;
constexpr size_t kUserTime = 11;
constexpr size_t kSystemTime = 12;
constexpr size_t kThreads = 17;
constexpr size_t kStartTime = 19;
constexpr size_t kResident = 21;

// "<pid>/<leaf>", relative to the proc folder.
using RelativePath = std::array<char, 48>;
RelativePath pidPath(std::int32_t pid, std::string_view leaf) {
    RelativePath path{};
    auto end = std::to_chars(path.data(), path.data() + 16, pid).ptr;
    *end++ = '/';
    leaf.copy(end, leaf.size());
    return path;
}

template <typename Number>
bool parseNumber(std::string_view token, Number& value) {
    const auto [end, error] = std::from_chars(token.data(), token.data() + token.size(), value);
    return error == std::errc() && end == token.data() + token.size();
}

bool isSeparator(char c) { return c == ' ' || c == '\n'; }

// The whitespace-separated tokens of text, up to count of them; false when there are fewer.
template <size_t N>
bool splitFields(std::string_view text, std::array<std::string_view, N>& fields) {
    size_t pos = 0;
    for (auto& field : fields) {
        while (pos < text.size() && isSeparator(text[pos])) ++pos;
        const size_t begin = pos;
        while (pos < text.size() && !isSeparator(text[pos])) ++pos;
        if (begin == pos) return false;
        field = text.substr(begin, pos - begin);
    }
    return true;
}

bool multiply(std::uint64_t a, std::uint64_t b, std::uint64_t& product) {
    if (b != 0 && a > std::numeric_limits<std::uint64_t>::max() / b) return false;
    product = a * b;
    return true;
}

bool ticksToNanoseconds(std::uint64_t ticks, std::uint64_t ticksPerSecond, std::uint64_t& nanoseconds) {
    std::uint64_t whole = 0;
    if (!multiply(ticks / ticksPerSecond, kNanosecondsPerSecond, whole)) return false;
    const std::uint64_t part = ticks % ticksPerSecond * kNanosecondsPerSecond / ticksPerSecond;
    if (whole > std::numeric_limits<std::uint64_t>::max() - part) return false;
    nanoseconds = whole + part;
    return true;
}

}  // namespace

LinuxProcessTable::LinuxProcessTable(const std::filesystem::path& root, Reading reading)
    : proc_(opendir((root / "proc").c_str())), reading_(reading) {
    const long ticks = sysconf(_SC_CLK_TCK);
    const long page = sysconf(_SC_PAGESIZE);
    if (ticks > 0) units_.ticksPerSecond = static_cast<std::uint64_t>(ticks);
    if (page > 0) units_.pageSize = static_cast<std::uint64_t>(page);
    // A quarter of the descriptor limit leaves the rest of the program plenty.
    rlimit files{};
    if (getrlimit(RLIMIT_NOFILE, &files) == 0) {
        maxHeldDescriptors_ = static_cast<size_t>(std::min<rlim_t>(files.rlim_cur / 4, kMostHeldDescriptors));
    }
    if (reading == Reading::full || !proc_) return;
    activity_.emplace(root, [this](std::int32_t pid, std::string& text) {
        if (readPidFile(pid, "cgroup")) {
            text.assign(buffer_);
            return true;
        }
        // A process whose file cannot be read is there while its folder is.
        text.clear();
        return faccessat(dirfd(proc_), pidPath(pid, "").data(), F_OK, 0) == 0;
    });
    if (!activity_->available()) activity_.reset();
}

LinuxProcessTable::~LinuxProcessTable() {
    for (const auto& [pid, files] : held_) release(files);
    if (proc_) closedir(proc_);
}

// From the control groups where they tell, else from the proc folder; ascending either way, so
// that both give processes in the same order.
bool LinuxProcessTable::listPids(std::vector<std::int32_t>& pids) {
    pids.clear();
    const bool guided = activity_ && activity_->list(pids);
    if (!guided && proc_) {
        rewinddir(proc_);
        while (const dirent* entry = readdir(proc_)) {
            if (entry->d_type != DT_DIR && entry->d_type != DT_UNKNOWN) continue;
            std::int32_t pid = 0;
            if (parseNumber(std::string_view(entry->d_name), pid) && pid > 0) pids.push_back(pid);
        }
        std::ranges::sort(pids);
    }
    // A file held for a process gone between two such listings fails its next read and is closed.
    if (!guided) closeUnlisted(pids);
    if (!guided && activity_) activity_->update(pids);
    return guided || proc_ != nullptr;
}

void LinuxProcessTable::closeUnlisted(std::span<const std::int32_t> pids) {
    std::erase_if(held_, [this, pids](const auto& item) {
        if (std::ranges::binary_search(pids, item.first)) return false;
        release(item.second);
        return true;
    });
}

void LinuxProcessTable::release(const HeldFiles& files) {
    for (const int fd : {files.stat, files.schedstat}) {
        if (fd < 0) continue;
        close(fd);
        --heldDescriptors_;
    }
}

// A process that had one thread at its latest stat read, whose thread has not run since the read
// before it, did not run: a new thread would have needed it to, and so would exiting.
bool LinuxProcessTable::isIdle(std::int32_t pid) {
    if (reading_ == Reading::full) return false;
    if (activity_ && activity_->isIdle(pid)) return true;
    const auto found = held_.find(pid);
    if (found == held_.end() || !found->second.singleThreaded) return false;
    HeldFiles& files = found->second;
    const std::uint64_t runTime = readRunTime(pid, files);
    if (runTime != 0 && runTime == files.runTime) return true;
    files.pendingRunTime = runTime;
    return false;
}

std::uint64_t LinuxProcessTable::readRunTime(std::int32_t pid, HeldFiles& files) {
    if (!files.schedstatTried && heldDescriptors_ < maxHeldDescriptors_) {
        files.schedstatTried = true;
        files.schedstat = openat(dirfd(proc_), pidPath(pid, "schedstat").data(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
        if (files.schedstat >= 0) ++heldDescriptors_;
    }
    if (files.schedstat < 0) return 0;
    ++runTimeReads_;
    std::array<char, 128> text;
    const ssize_t size = pread(files.schedstat, text.data(), text.size(), 0);
    return size > 0 ? parseRunTime(std::string_view(text.data(), static_cast<size_t>(size))) : 0;
}

bool LinuxProcessTable::readTask(std::int32_t pid, Task& task) {
    // A stat line is well under 1 KiB and comes whole from one read; a cut-off line fails to parse.
    std::array<char, 4096> buffer;
    const long size = readStat(pid, buffer);
    if (size <= 0 || !parseStat(std::string_view(buffer.data(), static_cast<size_t>(size)), units_, task)) return false;
    if (const auto found = held_.find(pid); found != held_.end()) {
        HeldFiles& files = found->second;
        files.singleThreaded = task.threadCount == 1;
        if (files.pendingRunTime != 0) files.runTime = std::exchange(files.pendingRunTime, 0);
    }
    return true;
}

long LinuxProcessTable::readStat(std::int32_t pid, std::span<char> buffer) {
    ++statReads_;
    if (const auto held = held_.find(pid); held != held_.end()) {
        const ssize_t size = pread(held->second.stat, buffer.data(), buffer.size(), 0);
        if (size > 0) return size;
        // The process behind the open file has gone; the pid may now belong to another one.
        release(held->second);
        held_.erase(held);
    }
    if (!proc_) return -1;
    const int fd = openat(dirfd(proc_), pidPath(pid, "stat").data(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return -1;
    const ssize_t size = pread(fd, buffer.data(), buffer.size(), 0);
    if (size > 0 && heldDescriptors_ < maxHeldDescriptors_) {
        held_.emplace(pid, HeldFiles{.stat = fd});
        ++heldDescriptors_;
    } else {
        close(fd);
    }
    return size;
}

bool LinuxProcessTable::executablePath(std::int32_t pid, std::string& path) {
    if (!proc_) return false;
    std::array<char, 4096> buffer;
    const ssize_t length = readlinkat(dirfd(proc_), pidPath(pid, "exe").data(), buffer.data(), buffer.size());
    if (length <= 0 || static_cast<size_t>(length) >= buffer.size()) return false;
    std::string_view target(buffer.data(), static_cast<size_t>(length));
    // A binary replaced by an update while running still names the running program.
    if (target.ends_with(kDeletedSuffix)) target.remove_suffix(kDeletedSuffix.size());
    if (target.starts_with(kMemoryFilePrefix)) return false;
    path.assign(target);
    return !path.empty();
}

bool LinuxProcessTable::readPidFile(std::int32_t pid, std::string_view leaf) {
    if (!proc_) return false;
    const int fd = openat(dirfd(proc_), pidPath(pid, leaf).data(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return false;
    buffer_.resize(kMostPidFileSize);
    const ssize_t size = read(fd, buffer_.data(), buffer_.size());
    close(fd);
    buffer_.resize(size > 0 ? static_cast<size_t>(size) : 0);
    return !buffer_.empty();
}

bool LinuxProcessTable::firstArgument(std::int32_t pid, std::string& argument) {
    if (!readPidFile(pid, "cmdline")) return false;
    argument.assign(buffer_.data(), std::min(buffer_.find('\0'), buffer_.size()));
    return !argument.empty();
}

bool LinuxProcessTable::controlGroup(std::int32_t pid, std::string& path) {
    // The listing has just read the file of a process it had not seen.
    if (const auto group = activity_ ? activity_->groupOf(pid) : std::nullopt; group && *group != "/") {
        path.assign(*group);
        return true;
    }
    if (!readPidFile(pid, "cgroup")) return false;
    path.assign(parseControlGroup(buffer_));
    return !path.empty();
}

std::string_view LinuxProcessTable::parseControlGroup(std::string_view text) {
    std::string_view unified, named;
    TextFile::forEachLine(text, [&](std::string_view line) {
        // hierarchy-id:controllers:path; the path may itself hold colons.
        const auto first = line.find(':');
        const auto second = first == std::string_view::npos ? first : line.find(':', first + 1);
        if (second == std::string_view::npos) return;
        const auto id = line.substr(0, first);
        const auto controllers = line.substr(first + 1, second - first - 1);
        const auto path = line.substr(second + 1);
        if (id == "0" && controllers.empty()) unified = path;
        if (controllers == "name=systemd") named = path;
    });
    const auto chosen = unified.size() > 1 ? unified : named;
    return chosen.size() > 1 && chosen.starts_with('/') ? chosen : std::string_view();
}

std::uint64_t LinuxProcessTable::parseRunTime(std::string_view text) {
    return TextFile::parseUnsigned(text.substr(0, text.find(' '))).value_or(0);
}

bool LinuxProcessTable::parseStat(std::string_view line, const Units& units, Task& task) {
    const auto open = line.find('(');
    const auto close = line.rfind(')');
    if (open == std::string_view::npos || close == std::string_view::npos || close < open) return false;
    if (units.ticksPerSecond == 0) return false;

    std::array<std::string_view, kResident + 1> fields;
    if (!splitFields(line.substr(close + 1), fields)) return false;
    std::uint64_t flags = 0, userTicks = 0, systemTicks = 0, residentPages = 0;
    if (!parseNumber(fields[kFlags], flags) || !parseNumber(fields[kUserTime], userTicks) || !parseNumber(fields[kSystemTime], systemTicks) ||
        !parseNumber(fields[kThreads], task.threadCount) || !parseNumber(fields[kStartTime], task.startTime) ||
        !parseNumber(fields[kResident], residentPages) || task.threadCount < 0) {
        return false;
    }
    // A leader that exited with threads still running stays: they are the process now.
    if (fields[kState] == "Z" && task.threadCount <= 1) return false;
    if (!ticksToNanoseconds(userTicks, units.ticksPerSecond, task.userTime) ||
        !ticksToNanoseconds(systemTicks, units.ticksPerSecond, task.systemTime) ||
        !multiply(residentPages, units.pageSize, task.residentSize)) {
        return false;
    }
    task.shortName.assign(line.substr(open + 1, close - open - 1));
    task.isKernelThread = (flags & kKernelThreadFlag) != 0;
    return true;
}

}  // namespace corvelle
