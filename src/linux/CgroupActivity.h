#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace corvelle {

// Which processes certainly used no CPU since the previous listing, and which processes there
// are, told by the cgroup v2 hierarchy: a control group whose cpu.stat usage_usec did not move
// ran none of its processes, and a parent's usage holds its descendants', so below a group that
// did not move no group is read. Between full rounds the process list is the root group's
// members, read every listing (kernel threads live there and are always taken as busy), the
// members of the groups that ran, read again (a process forks, execs and exits running in its
// group), and the members kept for the groups that did not run.
// Every few listings a full round takes the proc folder's listing beside the groups that ran. It
// finds a process moved, asleep, into a group that did not run since, and drops one that exited
// after such a move: it is kept in its old group, which does not run, and read as idle, rightly,
// until it runs where it is now. A round first walks the hierarchy when that changed (root
// cgroup.stat) or when a process sat in a group not known, and until then the proc folder is
// listed every listing.
class CgroupActivity {
public:
    // Reads a pid's "/proc/<pid>/cgroup" file into text; false when the process is gone. An
    // empty text means a process whose group is unknown.
    using CgroupFileReader = std::function<bool(std::int32_t pid, std::string& text)>;

    // Listings between two full rounds (30 s at the default refresh).
    static constexpr std::uint64_t kRecheckListings = 15;

    // Unavailable (every process busy) without a cgroup v2 hierarchy under root/sys/fs/cgroup.
    CgroupActivity(const std::filesystem::path& root, CgroupFileReader readCgroupFile);
    ~CgroupActivity();
    CgroupActivity(const CgroupActivity&) = delete;
    CgroupActivity& operator=(const CgroupActivity&) = delete;

    bool available() const { return rootFd_ >= 0; }
    // This listing's processes, ascending, from the groups alone; false when the proc folder is
    // to be listed instead, for update().
    bool list(std::vector<std::int32_t>& pids);
    // Takes the proc folder's listing after list() said false; a full round when one is due.
    void update(std::span<const std::int32_t> pids);
    bool isIdle(std::int32_t pid) const;
    // The unified hierarchy path of the pid's group as of the latest listing; absent when unknown.
    std::optional<std::string_view> groupOf(std::int32_t pid) const;
    // cpu.stat files read so far; for tests and benchmarks.
    std::uint64_t usageReads() const { return usageReads_; }

    // The "0::" path of a /proc/<pid>/cgroup text ("/" for the root); empty when there is none.
    static std::string_view parseUnifiedPath(std::string_view text);
    // The usage_usec figure of a cpu.stat text.
    static std::optional<std::uint64_t> parseUsage(std::string_view text);

private:
    struct Group {
        std::string path;
        Group* parent = nullptr;  // null for the root
        int usageFd = -1;         // cpu.stat; the root's cgroup.procs, read every listing
        int procsFd = -1;         // cgroup.procs, held while the group keeps running
        std::uint64_t usage = 0;
        bool ran = true;  // since the previous listing; a group first seen counts as busy
        bool membersRead = false;  // its cgroup.procs was read in this listing
        std::uint64_t seen = 0;    // the full round whose walk last found it
    };
    struct Member {
        Group* group = nullptr;       // null: not known, the process is read every listing
        std::uint64_t confirmed = 0;  // the listing whose cgroup.procs last named it
        std::uint64_t listed = 0;
    };

    void readGroups();
    bool isStale(const Member& member) const;
    void walk();
    Group* addGroup(const std::string& path);
    void readUsage(Group& group);
    void readMembers(Group& group);
    bool resolve(std::int32_t pid, Member& member);
    bool readAll(int fd, std::string& out);
    void release(Group& group);

    int rootFd_ = -1;
    int statFd_ = -1;  // the root's cgroup.stat: its counts move whenever a group comes or goes
    CgroupFileReader readCgroupFile_;
    size_t maxGroups_ = 0;
    size_t heldMembers_ = 0;  // groups holding their cgroup.procs open
    bool incomplete_ = false;  // some group or process is not known: list the proc folder
    bool roundDue_ = true;     // this listing takes the proc folder's
    bool walkDue_ = true;      // and walks the hierarchy first
    std::string lastHierarchy_;
    std::map<std::string, Group> groups_;  // by path: a parent comes before its children
    std::unordered_map<std::int32_t, Member> members_;
    std::vector<std::int32_t> listed_;  // members_'s pids, ascending
    bool membersChanged_ = true;        // since listed_ was sorted
    std::uint64_t listing_ = 0;
    std::uint64_t lastFullRound_ = 0;
    std::uint64_t usageReads_ = 0;
    std::string buffer_;
};

}  // namespace corvelle
