#pragma once

#include <climits>

// The C interface of NVIDIA's management library, as far as it is used: return codes and the
// records its calls fill. Declared here because nothing of the library is needed to build.
namespace corvelle::nvml {

using Return = int;
constexpr Return kSuccess = 0;
constexpr Return kNotFound = 6;  // also: no utilisation sample since the one asked after
constexpr Return kInsufficientSize = 7;
constexpr int kGpuTemperatureSensor = 0;
constexpr unsigned long long kNotAvailable = ULLONG_MAX;

struct Utilization {
    unsigned gpu;
    unsigned memory;
};
struct Memory {
    unsigned long long total;
    unsigned long long free;
    unsigned long long used;
};
// The record of versions 2 and 3 of the running-process lists.
struct ProcessInfo {
    unsigned pid;
    unsigned long long usedGpuMemory;
    unsigned gpuInstanceId;
    unsigned computeInstanceId;
};
struct ProcessSample {
    unsigned pid;
    unsigned long long timeStamp;  // µs
    unsigned smUtil;
    unsigned memUtil;
    unsigned encUtil;
    unsigned decUtil;
};

}  // namespace corvelle::nvml
