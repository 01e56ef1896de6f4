#pragma once

#include "linux/gpu/GpuFigures.h"
#include "platform/GpuReading.h"

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace corvelle {

// NVIDIA's management library (NVML), loaded at run time when the machine has a GPU on NVIDIA's own
// driver: nothing links against it and nothing of it is needed to build. Only the few calls used
// are resolved; a library without the three needed to reach a GPU counts as absent.
class NvmlLibrary {
public:
    struct Figures {
        GpuFigures gpu;
        std::vector<GpuReading::Client> processes;  // with their share of the GPU's shader time
    };

    explicit NvmlLibrary(const std::string& file = "libnvidia-ml.so.1");
    ~NvmlLibrary();
    NvmlLibrary(const NvmlLibrary&) = delete;
    NvmlLibrary& operator=(const NvmlLibrary&) = delete;

    bool available() const { return handle_ != nullptr; }

    // Reads the GPU in this PCI slot in a session that is closed again at once unless `keepOpen`:
    // an open session holds every GPU awake, so only GPUs that never sleep keep one. Absent when
    // the library is missing, or fails to start or to find the GPU.
    std::optional<Figures> query(const std::string& slot, bool keepOpen);

private:
    struct Calls;
    using Device = struct NvmlDeviceOpaque*;

    bool startSession();
    void endSession();
    void readProcesses(Device device, const std::string& slot, std::vector<GpuReading::Client>& processes);

    void* handle_ = nullptr;
    std::unique_ptr<Calls> calls_;
    bool session_ = false;
    // Per slot, the newest per-process utilisation sample already taken into account.
    std::map<std::string, unsigned long long> lastSample_;
};

}  // namespace corvelle
