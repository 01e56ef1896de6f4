#include "linux/CgroupActivity.h"

#include "linux/TextFile.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>

namespace corvelle {
namespace {

constexpr std::string_view kRootGroup = "/";
constexpr size_t kMostFileSize = 1 << 20;

int openIn(int dir, const std::string& path) { return openat(dir, path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK); }

void closeIfOpen(int& fd) {
    if (fd >= 0) close(fd);
    fd = -1;
}

// The group's folder relative to the hierarchy's root.
std::string folder(const std::string& path) { return path == kRootGroup ? "." : path.substr(1); }

}  // namespace

CgroupActivity::CgroupActivity(const std::filesystem::path& root, CgroupFileReader readCgroupFile)
    : readCgroupFile_(std::move(readCgroupFile)) {
    // Two descriptors a group, from a quarter of the limit: the processes of further groups are
    // simply read every tick.
    rlimit files{};
    if (getrlimit(RLIMIT_NOFILE, &files) == 0) maxGroups_ = static_cast<size_t>(std::min<rlim_t>(files.rlim_cur / 8, 1024));
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
        closeIfOpen(group.usageFd);
        closeIfOpen(group.procsFd);
    }
    closeIfOpen(statFd_);
    closeIfOpen(rootFd_);
}

void CgroupActivity::update(std::span<const std::int32_t> pids) {
    if (!available()) return;
    ++listing_;
    const bool recheck = listing_ % kRecheckListings == 1 || hierarchyChanged();
    for (auto& [path, group] : groups_) readUsage(group, recheck);
    for (auto& [path, group] : groups_) {
        if (group.membersRead) readMembers(group);
    }
    for (const auto pid : pids) {
        Member& member = members_[pid];
        member.listed = listing_;
        // Unknown, or gone from the members of its group: the process moved.
        if (!member.group || !member.group->alive() || (member.group->membersRead && member.confirmed != listing_)) {
            member.group = resolve(pid);
            member.confirmed = listing_;
        }
    }
    prune();
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

bool CgroupActivity::hierarchyChanged() {
    if (!readAll(statFd_, buffer_) || buffer_ == lastHierarchy_) return false;
    lastHierarchy_ = buffer_;
    return true;
}

// A group whose files cannot be read any more is gone: its processes are resolved anew.
void CgroupActivity::readUsage(Group& group, bool recheck) {
    group.membersRead = recheck;
    if (group.path == kRootGroup) {
        group.ran = true;
        return;
    }
    // Reopening finds groups removed since; a removed group's open files stop reading too.
    std::optional<std::uint64_t> usage;
    if ((!recheck || open(group)) && readAll(group.usageFd, buffer_)) usage = parseUsage(buffer_);
    if (!usage) {
        closeIfOpen(group.usageFd);
        closeIfOpen(group.procsFd);
        group.ran = true;
        group.membersRead = false;
        return;
    }
    group.ran = *usage != group.usage;
    group.usage = *usage;
    group.membersRead = group.membersRead || group.ran;
}

bool CgroupActivity::open(Group& group) {
    closeIfOpen(group.usageFd);
    closeIfOpen(group.procsFd);
    const auto dir = folder(group.path);
    if (group.path != kRootGroup) group.usageFd = openIn(rootFd_, dir + "/cpu.stat");
    group.procsFd = openIn(rootFd_, dir + "/cgroup.procs");
    return group.procsFd >= 0 && (group.path == kRootGroup || group.usageFd >= 0);
}

void CgroupActivity::readMembers(Group& group) {
    if (!readAll(group.procsFd, buffer_)) {
        group.membersRead = false;
        return;
    }
    TextFile::forEachLine(buffer_, [&](std::string_view line) {
        std::int32_t pid = 0;
        const auto [end, error] = std::from_chars(line.data(), line.data() + line.size(), pid);
        if (error != std::errc() || end != line.data() + line.size() || pid <= 0) return;
        Member& member = members_[pid];
        member.group = &group;
        member.confirmed = listing_;
    });
}

CgroupActivity::Group* CgroupActivity::resolve(std::int32_t pid) {
    if (!readCgroupFile_(pid, buffer_)) return nullptr;
    const auto path = parseUnifiedPath(buffer_);
    if (!path.starts_with('/') || path.find("/..") != std::string_view::npos) return nullptr;
    const auto found = groups_.find(std::string(path));
    if (found != groups_.end()) return found->second.alive() ? &found->second : nullptr;
    if (groups_.size() >= maxGroups_) return nullptr;
    Group group{.path = std::string(path)};
    if (!open(group)) {
        closeIfOpen(group.usageFd);
        closeIfOpen(group.procsFd);
        return nullptr;
    }
    // Counted from here: the first listing that sees the group takes its processes as busy.
    if (group.usageFd >= 0 && readAll(group.usageFd, buffer_)) group.usage = parseUsage(buffer_).value_or(0);
    return &groups_.emplace(group.path, std::move(group)).first->second;
}

void CgroupActivity::prune() {
    std::erase_if(members_, [this](const auto& item) { return item.second.listed != listing_; });
    for (auto& [path, group] : groups_) group.members = 0;
    for (auto& [pid, member] : members_) {
        if (member.group && !member.group->alive()) member.group = nullptr;
        if (member.group) ++member.group->members;
    }
    for (auto it = groups_.begin(); it != groups_.end();) {
        if (it->second.members > 0) {
            ++it;
            continue;
        }
        closeIfOpen(it->second.usageFd);
        closeIfOpen(it->second.procsFd);
        it = groups_.erase(it);
    }
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
