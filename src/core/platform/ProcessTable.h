#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace corvelle {

// The machine's process table, read by the process sampler once per tick (on one worker
// thread at a time). Out-parameters let the sampler reuse its buffers from tick to tick.
class ProcessTable {
public:
    // What the kernel reports about one process.
    struct Task {
        std::uint64_t residentSize = 0;  // bytes
        std::uint64_t userTime = 0;      // nanoseconds of CPU time
        std::uint64_t systemTime = 0;    // nanoseconds of CPU time
        std::int64_t threadCount = 0;
        // Identifies the process behind a pid together with shortName: a reused pid gets a new
        // start time, an exec a new short name.
        std::uint64_t startTime = 0;
        std::string shortName;  // the kernel's short command name; may be empty
        bool isKernelThread = false;
    };

    virtual ~ProcessTable() = default;
    // Replaces pids with the ids of all processes. False when the table cannot be listed.
    virtual bool listPids(std::vector<std::int32_t>& pids) = 0;
    // True when the process certainly used no CPU since its counters were last read, so they
    // are still those; a table that cannot tell says false.
    virtual bool isIdle(std::int32_t /*pid*/) { return false; }
    // False when the process is gone or cannot be read.
    virtual bool readTask(std::int32_t pid, Task& task) = 0;
    // The executable's path; false when it is unknown or not readable, or names no file that
    // could be run again (an anonymous in-memory executable).
    virtual bool executablePath(std::int32_t pid, std::string& path) = 0;
    // The first argument of the command line, usually the program as it was started; false when
    // there is none.
    virtual bool firstArgument(std::int32_t pid, std::string& argument) = 0;
    // The path of the control group the session's service manager keeps the process in
    // ("/user.slice/.../app.slice/app-gnome-firefox-4242.scope"); false when it is unknown.
    virtual bool controlGroup(std::int32_t pid, std::string& path) = 0;
};

}  // namespace corvelle
