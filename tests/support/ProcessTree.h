#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <utility>

namespace corvelle::test {

// A proc tree and a cgroup v2 hierarchy under root, kept as the kernel keeps them: a process that
// runs or exits adds to its group's usage; groups ("/" is the root) list their processes; a
// removed group stays counted as dying.
class ProcessTree {
public:
    explicit ProcessTree(std::filesystem::path root) : root_(std::move(root)) {
        write(root_ / "sys/fs/cgroup/cgroup.controllers", "cpu memory pids");
        update(-1, "/");
    }
    void add(int pid, const std::string& group, const std::string& name, bool kernelThread = false) {
        processes_[pid] = {group, name, kernelThread ? "2129984" : "4194560", 100 + std::uint64_t(pid), ++starts_};
        update(pid, group);
    }
    void run(int pid, std::uint64_t ticks, std::uint64_t usage = 0) {
        auto& p = processes_.at(pid);
        p.ticks += ticks;
        usage_[p.group] += ticks * 10'000 + usage;
        update(pid, p.group);
    }
    void setPages(int pid, std::uint64_t pages) {
        processes_.at(pid).pages = pages;
        update(pid, "");
    }
    void move(int pid, const std::string& group) {
        update(-1, std::exchange(processes_.at(pid).group, group));
        update(pid, group);
    }
    // Exiting runs in the process's group.
    void exit(int pid) {
        run(pid, 0, 500);
        std::filesystem::remove_all(root_ / "proc" / std::to_string(pid));
        update(-1, processes_.extract(pid).mapped().group);
    }
    void removeGroup(const std::string& group) {
        usage_.erase(group);
        ++dying_;
        std::filesystem::remove_all(root_ / "sys/fs/cgroup" / group.substr(1));
        update(-1, "");
    }

private:
    struct Process {
        std::string group, name, flags;
        std::uint64_t pages, start, ticks = 0;
    };
    static void write(const std::filesystem::path& path, const std::string& text) {
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::trunc) << text << '\n';
    }
    // Rewrites the pid's files (none for -1), the group's (none for "") and the hierarchy's counts.
    void update(int pid, const std::string& group) {
        if (pid > 0) {
            const auto& p = processes_.at(pid);
            const auto folder = root_ / "proc" / std::to_string(pid);
            write(folder / "stat", std::to_string(pid) + " (" + p.name + ") S 1 1 1 0 -1 " + p.flags + " 0 0 0 0 " +
                                       std::to_string(p.ticks) + " 0 0 0 20 0 1 0 " + std::to_string(p.start) +
                                       " 1000 " + std::to_string(p.pages) + " 1 1 0 0 0 0 0 0 0 0 0 0 17 0 0");
            write(folder / "cgroup", "0::" + p.group);
        }
        const auto cgroups = root_ / "sys/fs/cgroup";
        if (!group.empty()) {
            std::string procs;
            for (const auto& [id, p] : processes_) procs += p.group == group ? std::to_string(id) + '\n' : "";
            const auto usage = std::to_string(usage_[group]);
            write(cgroups / group.substr(1) / "cpu.stat", "usage_usec " + usage + "\nuser_usec " + usage);
            write(cgroups / group.substr(1) / "cgroup.procs", procs);
        }
        write(cgroups / "cgroup.stat", "nr_descendants " + std::to_string(usage_.size()) +
                                           "\nnr_dying_descendants " + std::to_string(dying_));
    }

    std::filesystem::path root_;
    std::map<int, Process> processes_;
    std::map<std::string, std::uint64_t> usage_;
    std::uint64_t starts_ = 0, dying_ = 0;
};

}  // namespace corvelle::test
