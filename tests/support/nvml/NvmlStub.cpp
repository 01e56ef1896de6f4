// NVIDIA's management library as the GPU tests meet it: the few calls Corvelle makes, with one
// GPU in slot 0000:01:00.0 whose figures are fixed, and controls to make it fail and to count what
// was asked of it.
#include "linux/gpu/NvmlAbi.h"

#include <cstring>

namespace {

using namespace corvelle::nvml;

constexpr Return kUnknownError = 999;

int mode = 0;  // 0 works, 1 fails to start, 2 does not know the GPU, 3 works with no new samples
int sessions = 0;
int devices = 0;  // handles given out, one per query

}  // namespace

extern "C" {

void nvmlStubSetMode(int newMode) { mode = newMode; }
int nvmlStubOpenSessions() { return sessions; }
int nvmlStubDeviceQueries() { return devices; }

int nvmlInit_v2() {
    if (mode == 1) return kUnknownError;
    ++sessions;
    return kSuccess;
}

int nvmlShutdown() {
    --sessions;
    return kSuccess;
}

int nvmlDeviceGetHandleByPciBusId_v2(const char* slot, void** device) {
    if (mode == 2 || std::strcmp(slot, "0000:01:00.0") != 0) return kNotFound;
    ++devices;
    *device = &mode;
    return kSuccess;
}

int nvmlDeviceGetUtilizationRates(void*, Utilization* rates) {
    *rates = {41, 12};
    return kSuccess;
}

int nvmlDeviceGetTemperature(void*, int, unsigned* celsius) {
    *celsius = 61;
    return kSuccess;
}

int nvmlDeviceGetPowerUsage(void*, unsigned* milliwatts) {
    *milliwatts = 6200;
    return kSuccess;
}

int nvmlDeviceGetMemoryInfo(void*, Memory* memory) {
    *memory = {4294967296ULL, 3221225472ULL, 1073741824ULL};
    return kSuccess;
}

// Steam runs graphics work; nothing runs compute work.
int nvmlDeviceGetGraphicsRunningProcesses_v3(void*, unsigned* count, ProcessInfo* infos) {
    if (*count < 1) {
        *count = 1;
        return kInsufficientSize;
    }
    infos[0] = {3100, 536870912ULL, 0, 0};
    *count = 1;
    return kSuccess;
}

int nvmlDeviceGetComputeRunningProcesses_v3(void*, unsigned* count, ProcessInfo*) {
    *count = 0;
    return kSuccess;
}

// Two samples of Steam newer than the one asked after; none in mode 3.
int nvmlDeviceGetProcessUtilization(void*, ProcessSample* samples, unsigned* count, unsigned long long since) {
    if (mode == 3) return kNotFound;
    if (!samples) {
        *count = 2;
        return kInsufficientSize;
    }
    samples[0] = {3100, since + 100, 20, 0, 0, 0};
    samples[1] = {3100, since + 200, 37, 3, 0, 0};
    *count = 2;
    return kSuccess;
}

}  // extern "C"
