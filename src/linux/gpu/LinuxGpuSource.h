#pragma once

#include "linux/gpu/DrmClients.h"
#include "linux/gpu/GpuGate.h"
#include "linux/gpu/GpuInventory.h"
#include "linux/gpu/GpuSensors.h"
#include "linux/gpu/NvmlLibrary.h"
#include "platform/Clock.h"
#include "platform/GpuSource.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace corvelle {

// The GPUs of /sys/class/drm with what their device folders tell (GpuSensors), their clients from
// /proc (DrmClients), and a GPU on NVIDIA's own driver through its library. Every read under a GPU's
// device goes through the gate, which the machine's temperature reader shares: a sleeping GPU is
// only asked whether it still sleeps, and a discrete GPU that may sleep is read in bursts.
class LinuxGpuSource : public GpuSource {
public:
    LinuxGpuSource(const std::filesystem::path& root, std::shared_ptr<GpuGate> gate, std::shared_ptr<const Clock> clock,
                   const std::string& nvmlLibrary = "libnvidia-ml.so.1");

    std::vector<GpuReading> sample(const Request& request) override;
    void findClients(std::span<const std::int32_t> pids) override;
    void keepClients(std::span<const std::int32_t> sortedPids) override;

    // Whether NVIDIA's library was loaded (only with a GPU on NVIDIA's driver); for tests.
    bool hasNvml() const { return nvml_ && nvml_->available(); }
    size_t heldDescriptors() const { return clients_.heldCount(); }

private:
    struct Gpu {
        GpuDevice device;
        GpuSensors sensors;
        GpuReading last;  // the figures and clients of the latest read, which stand between bursts
    };

    static std::vector<Gpu> inventory(const std::filesystem::path& root);
    static std::vector<DrmClients::Node> nodesOf(const std::vector<Gpu>& gpus);
    GpuReading read(size_t index, const Request& request, double now);
    void refresh(size_t index, bool details, bool clients, RuntimePm::Status status, double now);

    std::vector<Gpu> gpus_;
    std::shared_ptr<GpuGate> gate_;
    std::shared_ptr<const Clock> clock_;
    DrmClients clients_;
    std::unique_ptr<NvmlLibrary> nvml_;  // only with a GPU on NVIDIA's driver
};

}  // namespace corvelle
