#pragma once

#include "platform/GpuReading.h"

#include <cstdint>
#include <span>
#include <vector>

namespace corvelle {

// The machine's GPUs, their power state and what they do, read so that none is woken or kept
// awake by the reading: a sleeping GPU is only asked whether it still sleeps. Clients (the
// processes holding a GPU open) are looked for only in the processes named to findClients(); the
// source remembers them until they go. Called on one worker thread at a time.
class GpuSource {
public:
    struct Request {
        // Load, temperature and memory of every awake GPU, and its clients with their use.
        bool details = false;
        // The clients of awake discrete GPUs with their use, also without the details.
        bool discreteClients = false;
    };

    virtual ~GpuSource() = default;
    // Every GPU with its state and, when awake, the power a discrete one draws; what the request
    // asks for besides.
    virtual std::vector<GpuReading> sample(const Request& request) = 0;
    // Looks through the open files of these processes for GPUs they hold, replacing what was
    // known of them.
    virtual void findClients(std::span<const std::int32_t> pids) = 0;
    // Forgets the clients whose process is not among these (in ascending order); with none, every
    // client.
    virtual void keepClients(std::span<const std::int32_t> sortedPids) = 0;
};

}  // namespace corvelle
