#include "linux/gpu/LinuxGpuSource.h"

#include <algorithm>

namespace corvelle {
namespace {

GpuReading::Power powerOf(RuntimePm::Status status) {
    switch (status) {
        case RuntimePm::Status::suspended: return GpuReading::Power::suspended;
        case RuntimePm::Status::alwaysOn: return GpuReading::Power::alwaysOn;
        case RuntimePm::Status::active:
        case RuntimePm::Status::resuming: break;
    }
    return GpuReading::Power::active;
}

// NVIDIA's list of the processes at work on the GPU, laid over those found holding it.
void addProcesses(std::vector<GpuReading::Client>& clients, const std::vector<GpuReading::Client>& processes) {
    for (const auto& process : processes) {
        const auto held = std::ranges::find(clients, process.pid, &GpuReading::Client::pid);
        if (held == clients.end()) {
            clients.push_back(process);
        } else {
            held->busyPercent = process.busyPercent;
            held->memoryBytes = process.memoryBytes;
        }
    }
}

}  // namespace

LinuxGpuSource::LinuxGpuSource(const std::filesystem::path& root, std::shared_ptr<GpuGate> gate,
                               std::shared_ptr<const Clock> clock, const std::string& nvmlLibrary)
    : gpus_(inventory(root)), gate_(std::move(gate)), clock_(std::move(clock)), clients_(root, nodesOf(gpus_)) {
    for (const auto& gpu : gpus_) gate_->add(gpu.device.folder, gpu.device.discrete);
    if (std::ranges::any_of(gpus_, [](const Gpu& gpu) { return gpu.device.driver == "nvidia"; })) {
        nvml_ = std::make_unique<NvmlLibrary>(nvmlLibrary);
    }
}

std::vector<LinuxGpuSource::Gpu> LinuxGpuSource::inventory(const std::filesystem::path& root) {
    std::vector<Gpu> gpus;
    for (auto& device : GpuInventory::scan(root)) {
        GpuSensors sensors(device.folder);
        gpus.push_back({std::move(device), std::move(sensors), {}});
    }
    return gpus;
}

std::vector<DrmClients::Node> LinuxGpuSource::nodesOf(const std::vector<Gpu>& gpus) {
    std::vector<DrmClients::Node> nodes;
    for (size_t index = 0; index < gpus.size(); ++index) {
        for (const auto& node : gpus[index].device.nodes) nodes.emplace_back(node, index);
    }
    return nodes;
}

std::vector<GpuReading> LinuxGpuSource::sample(const Request& request) {
    const double now = clock_->uptime();
    std::vector<GpuReading> readings;
    readings.reserve(gpus_.size());
    for (size_t index = 0; index < gpus_.size(); ++index) readings.push_back(read(index, request, now));
    return readings;
}

GpuReading LinuxGpuSource::read(size_t index, const Request& request, double now) {
    Gpu& gpu = gpus_[index];
    const bool discrete = gpu.device.discrete;
    const auto verdict = gate_->open(gpu.device.folder);
    GpuReading reading{.id = gpu.device.id,
                       .name = gpu.device.name,
                       .driver = gpu.device.driver,
                       .discrete = discrete,
                       .power = powerOf(verdict.status)};
    if (verdict.access == GpuGate::Access::asleep) {
        gpu.last = reading;
        // A discrete GPU asleep draws next to nothing.
        if (discrete && verdict.status == RuntimePm::Status::suspended) reading.powerWatts = 0.0;
        return reading;
    }
    const bool clients = request.details || (request.discreteClients && discrete);
    if (verdict.access == GpuGate::Access::read) refresh(index, request.details, clients, verdict.status, now);
    const GpuReading& last = gpu.last;
    reading.powerWatts = last.powerWatts;
    if (request.details) {
        reading.loadPercent = last.loadPercent;
        reading.temperature = last.temperature;
        reading.memoryUsedBytes = last.memoryUsedBytes;
        reading.memoryTotalBytes = last.memoryTotalBytes;
    }
    if (clients) reading.clients = last.clients;
    return reading;
}

void LinuxGpuSource::refresh(size_t index, bool details, bool clients, RuntimePm::Status status, double now) {
    Gpu& gpu = gpus_[index];
    GpuReading& last = gpu.last;
    last.clients.clear();
    std::vector<GpuReading::Client> processes;
    if (gpu.device.driver == "nvidia") {
        // An open session would hold the GPU awake: only one that never sleeps keeps it.
        const auto figures = nvml_ ? nvml_->query(gpu.device.id, status == RuntimePm::Status::alwaysOn) : std::nullopt;
        auto use = figures.value_or(NvmlLibrary::Figures{});
        use.gpu.copyTo(last);
        processes = std::move(use.processes);
    } else {
        gpu.sensors.read(gpu.device.discrete, details, now).copyTo(last);
    }
    if (!clients) return;
    auto usage = clients_.read(index, now);
    // Intel's drivers give no load of their own: it is the clients' use together.
    if (!last.loadPercent && (gpu.device.driver == "i915" || gpu.device.driver == "xe")) last.loadPercent = usage.load;
    last.clients = std::move(usage.clients);
    addProcesses(last.clients, processes);
}

void LinuxGpuSource::findClients(std::span<const std::int32_t> pids) { clients_.find(pids); }

void LinuxGpuSource::keepClients(std::span<const std::int32_t> sortedPids) { clients_.keep(sortedPids); }

}  // namespace corvelle
