#pragma once

#include "platform/ProcessTable.h"

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace corvelle::test {

// A process table held in memory; counts path look-ups.
class FakeProcessTable : public ProcessTable {
public:
    struct Process {
        Task task;
        std::string path;  // empty: unknown
        std::string argument;
        std::string controlGroup;
    };
    std::vector<std::int32_t> order;
    std::map<std::int32_t, Process> processes;
    bool listingFails = false;
    std::set<std::int32_t> idle;  // processes the table tells idle
    int pathReads = 0;

    Process& add(std::int32_t pid, std::string path, std::string shortName = "short") {
        order.push_back(pid);
        auto& process = processes[pid];
        process.path = std::move(path);
        process.task.shortName = std::move(shortName);
        return process;
    }
    void remove(std::int32_t pid) {
        std::erase(order, pid);
        processes.erase(pid);
    }
    bool listPids(std::vector<std::int32_t>& pids) override {
        pids = order;
        return !listingFails;
    }
    bool isIdle(std::int32_t pid) override { return idle.count(pid) > 0; }
    bool readTask(std::int32_t pid, Task& task) override {
        auto it = processes.find(pid);
        if (it == processes.end()) return false;
        task = it->second.task;
        return true;
    }
    bool executablePath(std::int32_t pid, std::string& path) override {
        ++pathReads;
        auto it = processes.find(pid);
        if (it == processes.end() || it->second.path.empty()) return false;
        path = it->second.path;
        return true;
    }
    bool firstArgument(std::int32_t pid, std::string& argument) override { return text(pid, &Process::argument, argument); }
    bool controlGroup(std::int32_t pid, std::string& path) override { return text(pid, &Process::controlGroup, path); }

private:
    bool text(std::int32_t pid, std::string Process::*field, std::string& out) const {
        auto it = processes.find(pid);
        if (it == processes.end() || (it->second.*field).empty()) return false;
        out = it->second.*field;
        return true;
    }
};

}  // namespace corvelle::test
