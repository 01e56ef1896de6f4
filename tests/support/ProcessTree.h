#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

namespace corvelle::test {

// A proc tree and a cgroup v2 hierarchy under root, kept as the kernel keeps them: a process that
// runs or exits adds to its group's usage; groups ("/" is the root) list their processes.
class ProcessTree {
public:
    explicit ProcessTree(std::filesystem::path root) : root_(std::move(root)) {
        write("sys/fs/cgroup/cgroup.controllers", "cpu memory pids");
        writeGroup("/");
    }

    void add(int pid, const std::string& group, const std::string& name, bool kernelThread = false) {
        processes_[pid] = {group, name, kernelThread, 100 + static_cast<std::uint64_t>(pid), ++starts_};
        writeProcess(pid);
        writeGroup(group);
    }
    void run(int pid, std::uint64_t ticks) {
        auto& p = processes_.at(pid);
        p.ticks += ticks;
        usage_[p.group] += ticks * 10'000;
        writeProcess(pid);
        writeGroup(p.group);
    }
    // Memory reclaimed from a process that does not run.
    void setPages(int pid, std::uint64_t pages) {
        processes_.at(pid).pages = pages;
        writeProcess(pid);
    }
    void move(int pid, const std::string& group) {
        const auto from = processes_.at(pid).group;
        processes_.at(pid).group = group;
        writeProcess(pid);
        writeGroup(from);
        writeGroup(group);
    }
    // An exit runs in the process's group.
    void exit(int pid) {
        const auto group = processes_.at(pid).group;
        processes_.erase(pid);
        usage_[group] += 500;
        std::filesystem::remove_all(root_ / "proc" / std::to_string(pid));
        writeGroup(group);
    }
    // An empty group removed; it stays counted as dying for a while.
    void removeGroup(const std::string& group) {
        usage_.erase(group);
        ++dying_;
        std::filesystem::remove_all(folder(group));
        writeHierarchy();
    }

private:
    struct Process {
        std::string group;
        std::string name;
        bool kernelThread;
        std::uint64_t pages;
        std::uint64_t start;
        std::uint64_t ticks = 0;
    };

    std::filesystem::path folder(const std::string& group) const {
        return root_ / "sys/fs/cgroup" / (group == "/" ? "" : group.substr(1));
    }
    void write(const std::filesystem::path& relative, const std::string& text) const {
        const auto path = relative.is_absolute() ? relative : root_ / relative;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::trunc) << text << '\n';
    }
    void writeProcess(int pid) const {
        const auto& p = processes_.at(pid);
        const auto folder = "proc/" + std::to_string(pid) + "/";
        write(folder + "stat", std::to_string(pid) + " (" + p.name + ") S 1 1 1 0 -1 " +
                                   (p.kernelThread ? "2129984" : "4194560") + " 0 0 0 0 " + std::to_string(p.ticks) +
                                   " 0 0 0 20 0 1 0 " + std::to_string(p.start) + " 1000 " + std::to_string(p.pages) +
                                   " 1 1 0 0 0 0 0 0 0 0 0 0 17 0 0");
        write(folder + "cgroup", "0::" + p.group);
    }
    void writeGroup(const std::string& group) {
        std::string procs;
        for (const auto& [pid, p] : processes_) {
            if (p.group == group) procs += std::to_string(pid) + '\n';
        }
        const auto usage = std::to_string(usage_[group]);
        write(folder(group) / "cpu.stat", "usage_usec " + usage + "\nuser_usec " + usage + "\nsystem_usec 0");
        write(folder(group) / "cgroup.procs", procs);
        writeHierarchy();
    }
    void writeHierarchy() const {
        write("sys/fs/cgroup/cgroup.stat", "nr_descendants " + std::to_string(usage_.size()) + "\nnr_dying_descendants " +
                                               std::to_string(dying_));
    }

    std::filesystem::path root_;
    std::map<int, Process> processes_;
    std::map<std::string, std::uint64_t> usage_;
    std::uint64_t starts_ = 0;
    std::uint64_t dying_ = 0;
};

}  // namespace corvelle::test
