#pragma once

#include "model/GpuStatus.h"
#include "platform/GpuSource.h"
#include "sampling/ProcessMonitor.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace corvelle {

// Samples the GPUs once per tick, after the processes, and names their clients. Clients are only
// looked for while something needs them: while the GPU figures are shown, or while a discrete GPU
// is awake, to tell who keeps it so. Then every process is searched once, and after that the new
// processes at every tick and the others at the process sampler's full rounds; the rest of the
// time no process's files are looked at. A full round searches only the processes that may have
// run since the last search: one that sat idle opened nothing.
class GpuMonitor {
public:
    // Without a source every sample is absent.
    explicit GpuMonitor(std::unique_ptr<GpuSource> source) : source_(std::move(source)) {}

    // `shown`: the GPU figures are on screen. `processes` has just sampled this tick.
    std::optional<std::vector<GpuStatus>> sample(bool shown, const ProcessMonitor& processes);

private:
    void trackClients(const ProcessMonitor& processes);
    static std::vector<GpuStatus> named(std::vector<GpuReading> readings, const ProcessMonitor& processes);

    std::unique_ptr<GpuSource> source_;
    bool discreteAwake_ = false;  // at the previous sample
    bool tracking_ = false;       // every process has been searched for clients
    std::vector<std::int32_t> sortedPids_;
    std::vector<std::int32_t> ranSinceSearch_;  // may hold a pid more than once
};

}  // namespace corvelle
