#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <iterator>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace corvelle::test {

// A proc tree and a cgroup v2 hierarchy under root, kept as the kernel keeps them: a process that
// runs or exits adds to the usage of its group and of the group's ancestors, and to its leader's
// run time (schedstat) when it has one thread, else to another thread's; groups ("/" is the
// root) list their processes; a removed group stays counted as dying. A recorded tree given at
// construction is copied under root and carried on from there.
class ProcessTree {
public:
    explicit ProcessTree(std::filesystem::path root, const std::filesystem::path& recorded = {}) : root_(std::move(root)) {
        write(root_ / "sys/fs/cgroup/cgroup.controllers", "cpu memory pids");
        std::filesystem::create_directories(root_ / "proc");
        if (!recorded.empty()) load(recorded);
        update(-1, "/");
    }
    // Schedstat files from here on read "0 0 0", as on a kernel without scheduler statistics.
    void dropSchedulerStatistics() { schedulerStatistics_ = false; }
    void add(int pid, const std::string& group, const std::string& name, bool kernelThread = false) {
        processes_[pid] = {group, name, kernelThread ? "2129984" : "4194560", kernelThread ? 0 : 100 + std::uint64_t(pid), ++starts_};
        update(pid, group);
    }
    void run(int pid, std::uint64_t ticks, std::uint64_t usage = 0) {
        auto& p = processes_.at(pid);
        p.ticks += ticks;
        if (p.threads <= 1) p.runTime += ticks * 10'000'000 + usage;
        for (auto group = p.group; group != "/"; group = parent(group)) usage_[group] += ticks * 10'000 + usage;
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
    // Exiting runs in the process's group. Its files are emptied first: an open one reads nothing
    // afterwards, as an open proc file of a gone process fails.
    void exit(int pid) {
        run(pid, 0, 500);
        for (const auto* leaf : {"stat", "schedstat", "cgroup"}) std::filesystem::resize_file(root_ / "proc" / std::to_string(pid) / leaf, 0);
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
        std::uint64_t pages, start, ticks = 0, threads = 1;
        std::string state = "S";
        std::uint64_t runTime = 1 + ticks * 10'000'000;  // the leader's, in nanoseconds
    };
    static void write(const std::filesystem::path& path, const std::string& text) {
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::trunc) << text << '\n';
    }
    static std::string read(const std::filesystem::path& path) {
        std::stringstream text;
        text << std::ifstream(path).rdbuf();
        return text.str();
    }
    static std::string parent(const std::string& group) {
        const auto slash = group.rfind('/');
        return slash == 0 ? "/" : group.substr(0, slash);
    }
    // The recorded processes (stat and the cgroup file's "0::" line, with a schedstat file made
    // from them) and groups' usage.
    void load(const std::filesystem::path& recorded) {
        namespace fs = std::filesystem;
        fs::copy(recorded, root_, fs::copy_options::recursive | fs::copy_options::overwrite_existing);
        for (const auto& entry : fs::directory_iterator(root_ / "proc")) {
            const auto stat = read(entry.path() / "stat"), cgroup = read(entry.path() / "cgroup");
            std::istringstream rest(stat.substr(stat.rfind(')') + 2));
            const std::vector<std::string> f{std::istream_iterator<std::string>(rest), {}};
            const auto& p = processes_[std::stoi(entry.path().filename())] = {
                cgroup.substr(3, cgroup.find('\n') - 3), stat.substr(stat.find('(') + 1, stat.rfind(')') - stat.find('(') - 1),
                f[6], std::stoull(f[21]), std::stoull(f[19]), std::stoull(f[11]), std::stoull(f[17]), f[0]};
            write(entry.path() / "schedstat", std::to_string(p.runTime) + " 0 1");
        }
        for (const auto& entry : fs::recursive_directory_iterator(root_ / "sys/fs/cgroup")) {
            if (!entry.is_directory()) continue;
            usage_["/" + entry.path().lexically_relative(root_ / "sys/fs/cgroup").string()] =
                std::stoull(read(entry.path() / "cpu.stat").substr(11));
        }
    }
    // Rewrites the pid's files (none for -1), the group's and its ancestors' (none for "") and the
    // hierarchy's counts.
    void update(int pid, const std::string& group) {
        if (pid > 0) {
            const auto& p = processes_.at(pid);
            const auto folder = root_ / "proc" / std::to_string(pid);
            write(folder / "stat", std::to_string(pid) + " (" + p.name + ") " + p.state + " 1 1 1 0 -1 " + p.flags + " 0 0 0 0 " +
                                       std::to_string(p.ticks) + " 0 0 0 20 0 " +
                                       std::to_string(p.threads) + " 0 " + std::to_string(p.start) + " 1000 " +
                                       std::to_string(p.pages) + " 1 1 0 0 0 0 0 0 0 0 0 0 17 0 0");
            write(folder / "cgroup", "0::" + p.group);
            write(folder / "schedstat", schedulerStatistics_ ? std::to_string(p.runTime) + " 0 1" : "0 0 0");
        }
        const auto cgroups = root_ / "sys/fs/cgroup";
        for (auto path = group; !path.empty(); path = path == "/" ? "" : parent(path)) {
            std::string procs;
            // An exited leader whose threads are all gone is not a member any more.
            for (const auto& [id, p] : processes_) procs += p.group == path && (p.state != "Z" || p.threads > 1) ? std::to_string(id) + '\n' : "";
            write(cgroups / path.substr(1) / "cgroup.procs", procs);
            if (path == "/") continue;
            const auto usage = std::to_string(usage_[path]);
            write(cgroups / path.substr(1) / "cpu.stat", "usage_usec " + usage + "\nuser_usec " + usage);
        }
        write(cgroups / "cgroup.stat", "nr_descendants " + std::to_string(usage_.size()) +
                                           "\nnr_dying_descendants " + std::to_string(dying_));
    }

    std::filesystem::path root_;
    std::map<int, Process> processes_;
    std::map<std::string, std::uint64_t> usage_;
    std::uint64_t starts_ = 0, dying_ = 0;
    bool schedulerStatistics_ = true;
};

}  // namespace corvelle::test
