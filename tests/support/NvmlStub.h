#pragma once

#include <dlfcn.h>

namespace corvelle::test {

// The controls of the stub NVIDIA management library the tests build (support/nvml), reached
// through a handle of their own: the library under test, loading the same file, shares its state.
struct NvmlStub {
    enum Mode { works, failsToStart, knowsNoGpu, noNewSamples };

    static const char* path() { return CORVELLE_NVML_STUB; }

    NvmlStub() { setMode(works); }
    ~NvmlStub() { setMode(works), dlclose(handle); }
    NvmlStub(const NvmlStub&) = delete;
    NvmlStub& operator=(const NvmlStub&) = delete;

    void setMode(int mode) { reinterpret_cast<void (*)(int)>(dlsym(handle, "nvmlStubSetMode"))(mode); }
    int openSessions() { return reinterpret_cast<int (*)()>(dlsym(handle, "nvmlStubOpenSessions"))(); }
    // The GPUs looked up so far, one per query.
    int deviceQueries() { return reinterpret_cast<int (*)()>(dlsym(handle, "nvmlStubDeviceQueries"))(); }

    void* handle = dlopen(path(), RTLD_NOW | RTLD_LOCAL);
};

}  // namespace corvelle::test
