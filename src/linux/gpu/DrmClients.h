#pragma once

#include "linux/gpu/DrmFdinfo.h"
#include "platform/GpuReading.h"

#include <dirent.h>

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace corvelle {

// The processes that hold GPUs open, found by the device files among their open files, and their
// use of each GPU from the kernel's statistics of each DRM client (/proc/PID/fdinfo/FD). A client
// shared by several descriptors, in one process or handed to another, is counted once. Engine
// counters that go back are held at their highest value until they catch up, as the kernel's
// documentation asks.
class DrmClients {
public:
    // A device file ("/dev/dri/renderD128", "/dev/nvidia0") and the index of its GPU.
    using Node = std::pair<std::string, size_t>;

    DrmClients(const std::filesystem::path& root, std::vector<Node> nodes);
    ~DrmClients();
    DrmClients(const DrmClients&) = delete;
    DrmClients& operator=(const DrmClients&) = delete;

    // Looks through these processes' open files (never this process's own), replacing what was
    // known of them.
    void find(std::span<const std::int32_t> pids);
    // Forgets the processes that are not among these (ascending).
    void keep(std::span<const std::int32_t> sortedPids);

    struct Usage {
        std::vector<GpuReading::Client> clients;
        // The busiest engine class's use by all clients together, 0-100: the GPU's load where the
        // driver gives none of its own.
        std::optional<double> load;
    };
    // The processes holding the GPU now, with their use since the previous read (`now` in
    // seconds). Descriptors closed since they were found are forgotten.
    Usage read(size_t gpu, double now);

    // Descriptors of processes known to hold a GPU; for tests and benchmarks.
    size_t heldCount() const;

private:
    struct Held {
        int fd = -1;
        const Node* node = nullptr;  // into nodes_
    };
    // A client's counters at its previous read, each held at its highest value.
    struct Counters {
        DrmFdinfo info;
        double time = 0;
    };
    using EngineUse = std::map<std::string, double>;  // engine class -> busy fraction

    const Node* nodeOf(std::string_view target) const;
    bool stillHeld(std::int32_t pid, const Held& held);
    void measure(size_t gpu, std::int32_t pid, const Held& held, double now, EngineUse& use,
                 std::optional<std::uint64_t>& vram, std::vector<std::string>& seen);
    static bool addUse(Counters& previous, const DrmFdinfo& current, double now, EngineUse& use);

    std::vector<Node> nodes_;
    DIR* proc_ = nullptr;
    std::int32_t self_ = 0;
    std::map<std::int32_t, std::vector<Held>> held_;
    std::map<std::pair<size_t, std::string>, Counters> previous_;
    std::string buffer_;
};

}  // namespace corvelle
