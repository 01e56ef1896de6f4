#include "linux/CgroupActivity.h"

#include "linux/TextFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <utility>

namespace corvelle {
namespace {

constexpr std::string_view kRootGroup = "/";
constexpr size_t kMostFileSize = 1 << 20;
constexpr size_t kMostGroups = 1024;
// Busy groups keep their member lists open; a few dozen run in any one listing.
constexpr size_t kMostHeldMembers = 64;

int openIn(int dir, const std::string& path) { return openat(dir, path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK); }

void closeIfOpen(int& fd) {
    if (fd >= 0) close(fd);
    fd = -1;
}

// The group's folder relative to the hierarchy's root.
std::string folder(const std::string& path) { return path == kRootGroup ? "." : path.substr(1); }

std::string parentPath(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == 0 ? std::string(kRootGroup) : path.substr(0, slash);
}

bool isFolder(DIR* dir, const dirent& entry) {
    if (entry.d_type != DT_UNKNOWN) return entry.d_type == DT_DIR;
    struct stat info {};
    return fstatat(dirfd(dir), entry.d_name, &info, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace

CgroupActivity::CgroupActivity(const std::filesystem::path& root, CgroupFileReader readCgroupFile)
    : readCgroupFile_(std::move(readCgroupFile)) {
    // One descriptor a group, from a quarter of the limit: beyond it the proc folder is listed.
    rlimit files{};
    if (getrlimit(RLIMIT_NOFILE, &files) == 0) maxGroups_ = static_cast<size_t>(std::min<rlim_t>(files.rlim_cur / 4, kMostGroups));
    // The unified hierarchy alone, or beside the v1 controllers in a hybrid layout; only it has
    // cgroup.controllers at its root.
    for (const char* mount : {"sys/fs/cgroup", "sys/fs/cgroup/unified"}) {
        rootFd_ = ::open((root / mount).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (rootFd_ >= 0 && faccessat(rootFd_, "cgroup.controllers", F_OK, 0) == 0) break;
        closeIfOpen(rootFd_);
    }
    if (rootFd_ >= 0) statFd_ = openIn(rootFd_, "cgroup.stat");
    if (statFd_ < 0) closeIfOpen(rootFd_);
}

CgroupActivity::~CgroupActivity() {
    for (auto& [path, group] : groups_) {
        release(group);
        closeIfOpen(group.usageFd);
    }
    closeIfOpen(statFd_);
    closeIfOpen(rootFd_);
}

bool CgroupActivity::list(std::vector<std::int32_t>& pids) {
    if (!available()) return false;
    // The walk finds what the counts say changed, or a group a process sits in that is not known.
    const bool changed = !readAll(statFd_, buffer_) || buffer_ != lastHierarchy_;
    const bool periodic = listing_ - lastFullRound_ >= kRecheckListings;
    walkDue_ = changed || (periodic && incomplete_);
    roundDue_ = changed || periodic;
    if (roundDue_ || incomplete_) return false;
    ++listing_;
    readGroups();
    for (auto it = members_.begin(); it != members_.end();) {
        if (isStale(it->second) && !resolve(it->first, it->second)) {
            it = members_.erase(it);
            membersChanged_ = true;
            continue;
        }
        ++it;
    }
    // Sorted again only when processes came or went: most listings keep the same ones.
    if (std::exchange(membersChanged_, false)) {
        listed_.clear();
        for (const auto& [pid, member] : members_) listed_.push_back(pid);
        std::ranges::sort(listed_);
    }
    pids.assign(listed_.begin(), listed_.end());
    return true;
}

void CgroupActivity::update(std::span<const std::int32_t> pids) {
    if (!available()) return;
    ++listing_;
    if (roundDue_) {
        lastFullRound_ = listing_;
        incomplete_ = false;
        if (walkDue_ && readAll(statFd_, buffer_)) lastHierarchy_ = buffer_;
        if (walkDue_) walk();
    }
    readGroups();
    for (const auto pid : pids) {
        Member& member = members_[pid];
        member.listed = listing_;
        if (isStale(member) && !resolve(pid, member)) member.group = nullptr;
    }
    // Kept: the listed processes, and those the groups name that started after the listing.
    std::erase_if(members_, [this](const auto& item) {
        return item.second.listed != listing_ && item.second.confirmed != listing_;
    });
    membersChanged_ = true;
}

void CgroupActivity::readGroups() {
    // A parent comes before its children, so its usage is read before theirs is looked at.
    for (auto& [path, group] : groups_) {
        readUsage(group);
        if (group.ran) readMembers(group);
    }
}

// Unknown, or gone from the members of its group: the process moved or exited.
bool CgroupActivity::isStale(const Member& member) const {
    if (member.confirmed == listing_) return false;
    return !member.group || member.group->usageFd < 0 || member.group->membersRead;
}

bool CgroupActivity::isIdle(std::int32_t pid) const {
    const auto found = members_.find(pid);
    return found != members_.end() && found->second.group && !found->second.group->ran;
}

std::optional<std::string_view> CgroupActivity::groupOf(std::int32_t pid) const {
    const auto found = members_.find(pid);
    if (found == members_.end() || !found->second.group) return std::nullopt;
    return found->second.group->path;
}

// Finds every group, opens the new ones and lets go of the removed ones.
void CgroupActivity::walk() {
    std::vector<std::string> pending{std::string(kRootGroup)};
    while (!pending.empty()) {
        const auto path = std::move(pending.back());
        pending.pop_back();
        Group* group = addGroup(path);
        const int fd = group ? openat(rootFd_, folder(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC) : -1;
        DIR* dir = fd >= 0 ? fdopendir(fd) : nullptr;
        if (!dir) {
            if (fd >= 0) close(fd);
            incomplete_ = true;
            continue;
        }
        group->seen = listing_;
        while (const dirent* entry = readdir(dir)) {
            const std::string_view name = entry->d_name;
            if (name == "." || name == ".." || !isFolder(dir, *entry)) continue;
            pending.push_back(path == kRootGroup ? "/" + std::string(name) : path + "/" + std::string(name));
        }
        closedir(dir);
    }
    for (auto& [pid, member] : members_) {
        if (member.group && member.group->seen != listing_) member.group = nullptr;
    }
    for (auto it = groups_.begin(); it != groups_.end();) {
        if (it->second.seen == listing_) {
            ++it;
            continue;
        }
        release(it->second);
        closeIfOpen(it->second.usageFd);
        it = groups_.erase(it);
    }
    for (auto& [path, group] : groups_) {
        const auto parent = path == kRootGroup ? groups_.end() : groups_.find(parentPath(path));
        group.parent = parent == groups_.end() ? nullptr : &parent->second;
    }
}

CgroupActivity::Group* CgroupActivity::addGroup(const std::string& path) {
    auto found = groups_.find(path);
    if (found != groups_.end() && found->second.usageFd >= 0) return &found->second;
    if (found == groups_.end()) {
        if (groups_.size() >= maxGroups_) return nullptr;
        found = groups_.emplace(path, Group{.path = path}).first;
    }
    Group& group = found->second;
    // The root's usage is the whole machine's and says nothing: it keeps its members' file.
    group.usageFd = openIn(rootFd_, folder(path) + (path == kRootGroup ? "/cgroup.procs" : "/cpu.stat"));
    group.usage = 0;
    return group.usageFd >= 0 ? &group : nullptr;
}

// Below a group whose usage did not move no group ran: their usage is not read and kept as is.
// A group whose usage cannot be read any more is gone: its processes are resolved anew.
void CgroupActivity::readUsage(Group& group) {
    group.membersRead = false;
    group.ran = true;
    if (group.path == kRootGroup || group.usageFd < 0) return;
    if (group.parent && !group.parent->ran) {
        group.ran = false;
        return;
    }
    ++usageReads_;
    // A cpu.stat text is a few hundred bytes; a longer one is read whole.
    std::array<char, 1024> text;
    const ssize_t size = pread(group.usageFd, text.data(), text.size(), 0);
    std::optional<std::uint64_t> usage;
    if (size >= 0 && static_cast<size_t>(size) < text.size()) {
        usage = parseUsage(std::string_view(text.data(), static_cast<size_t>(size)));
    } else if (size > 0 && readAll(group.usageFd, buffer_)) {
        usage = parseUsage(buffer_);
    }
    if (!usage) {
        release(group);
        closeIfOpen(group.usageFd);
        return;
    }
    group.ran = *usage != group.usage;
    group.usage = *usage;
    if (!group.ran) release(group);
}

void CgroupActivity::release(Group& group) {
    if (group.procsFd < 0) return;
    closeIfOpen(group.procsFd);
    --heldMembers_;
}

void CgroupActivity::readMembers(Group& group) {
    const bool root = group.path == kRootGroup;
    if (!root && group.procsFd < 0) {
        group.procsFd = openIn(rootFd_, folder(group.path) + "/cgroup.procs");
        if (group.procsFd >= 0) ++heldMembers_;
    }
    const int fd = root ? group.usageFd : group.procsFd;
    const bool read = fd >= 0 && readAll(fd, buffer_);
    // Held for the next listing only while the group runs and the budget allows.
    if (!root && (!read || !group.ran || heldMembers_ > kMostHeldMembers)) release(group);
    if (!read) return;
    group.membersRead = true;
    TextFile::forEachLine(buffer_, [&](std::string_view line) {
        std::int32_t pid = 0;
        const auto [end, error] = std::from_chars(line.data(), line.data() + line.size(), pid);
        if (error != std::errc() || end != line.data() + line.size() || pid <= 0) return;
        auto [found, added] = members_.try_emplace(pid);
        membersChanged_ = membersChanged_ || added;
        Member& member = found->second;
        member.group = &group;
        member.confirmed = listing_;
    });
}

// The group a process's cgroup file names; false when the process is gone, or when that group's
// members were just read without it (an exited process not yet reaped). A process in no known
// group is read every listing and brings a full round.
bool CgroupActivity::resolve(std::int32_t pid, Member& member) {
    if (!readCgroupFile_(pid, buffer_)) return false;
    const auto path = parseUnifiedPath(buffer_);
    const auto found = path.find("/..") == std::string_view::npos ? groups_.find(std::string(path)) : groups_.end();
    Group* group = found != groups_.end() && found->second.usageFd >= 0 ? &found->second : nullptr;
    if (group && group->membersRead) return false;
    if (!group) incomplete_ = true;
    member.group = group;
    member.confirmed = listing_;
    return true;
}

bool CgroupActivity::readAll(int fd, std::string& out) {
    out.resize(4096);
    size_t size = 0;
    while (true) {
        const ssize_t got = pread(fd, out.data() + size, out.size() - size, static_cast<off_t>(size));
        if (got < 0) return false;
        size += static_cast<size_t>(got);
        if (got == 0 || size < out.size()) break;
        if (out.size() >= kMostFileSize) return false;
        out.resize(out.size() * 2);
    }
    out.resize(size);
    return true;
}

std::string_view CgroupActivity::parseUnifiedPath(std::string_view text) {
    std::string_view path;
    TextFile::forEachLine(text, [&](std::string_view line) {
        if (line.starts_with("0::")) path = line.substr(3);
    });
    return path;
}

std::optional<std::uint64_t> CgroupActivity::parseUsage(std::string_view text) {
    std::optional<std::uint64_t> usage;
    TextFile::forEachLine(text, [&](std::string_view line) {
        constexpr std::string_view key = "usage_usec ";
        if (line.starts_with(key)) usage = TextFile::parseUnsigned(line.substr(key.size()));
    });
    return usage;
}

}  // namespace corvelle
