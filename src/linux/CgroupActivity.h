#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>

namespace corvelle {

// Which processes certainly used no CPU since the previous listing, told by the cgroup v2
// hierarchy: a control group whose cpu.stat usage_usec did not move ran none of its processes.
// Per listing it reads every known group's cpu.stat, and cgroup.procs only of the groups that
// ran, so a process moving into one of them is seen the tick it runs there. All groups'
// cgroup.procs are read again when the hierarchy changes (root cgroup.stat) and every few
// listings. The root group is always taken as busy: kernel threads live there.
class CgroupActivity {
public:
    // Reads a pid's "/proc/<pid>/cgroup" file into text; false when it cannot be read.
    using CgroupFileReader = std::function<bool(std::int32_t pid, std::string& text)>;

    // Listings between two rereads of every group's members (30 s at the default refresh).
    static constexpr std::uint64_t kRecheckListings = 15;

    // Unavailable (every process busy) without a cgroup v2 hierarchy under root/sys/fs/cgroup.
    CgroupActivity(const std::filesystem::path& root, CgroupFileReader readCgroupFile);
    ~CgroupActivity();
    CgroupActivity(const CgroupActivity&) = delete;
    CgroupActivity& operator=(const CgroupActivity&) = delete;

    bool available() const { return rootFd_ >= 0; }
    // Takes this tick's process list: reads the groups' usage and settles each pid's group.
    void update(std::span<const std::int32_t> pids);
    bool isIdle(std::int32_t pid) const;
    // The unified hierarchy path of the pid's group as of the latest update; absent when unknown.
    std::optional<std::string_view> groupOf(std::int32_t pid) const;

    // The "0::" path of a /proc/<pid>/cgroup text ("/" for the root); empty when there is none.
    static std::string_view parseUnifiedPath(std::string_view text);
    // The usage_usec figure of a cpu.stat text.
    static std::optional<std::uint64_t> parseUsage(std::string_view text);

private:
    struct Group {
        std::string path;
        int usageFd = -1;
        int procsFd = -1;
        std::uint64_t usage = 0;
        bool ran = true;         // since the previous listing; a group first seen counts as busy
        bool membersRead = false;  // its cgroup.procs was read in this listing
        size_t members = 0;
        bool alive() const { return procsFd >= 0; }  // both files open (the root has no usage)
    };
    struct Member {
        Group* group = nullptr;  // null: not known, the process is read every tick
        std::uint64_t confirmed = 0;  // the listing whose cgroup.procs last named it
        std::uint64_t listed = 0;
    };

    bool hierarchyChanged();
    void readUsage(Group& group, bool recheck);
    bool open(Group& group);
    void readMembers(Group& group);
    Group* resolve(std::int32_t pid);
    void prune();
    bool readAll(int fd, std::string& out);

    int rootFd_ = -1;
    int statFd_ = -1;  // the root's cgroup.stat: its counts move whenever a group comes or goes
    CgroupFileReader readCgroupFile_;
    size_t maxGroups_ = 0;
    std::string lastHierarchy_;
    std::unordered_map<std::string, Group> groups_;
    std::unordered_map<std::int32_t, Member> members_;
    std::uint64_t listing_ = 0;
    std::string buffer_;
};

}  // namespace corvelle
