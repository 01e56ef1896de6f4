#include "linux/gpu/NvmlLibrary.h"

#include "linux/gpu/NvmlAbi.h"

#include <dlfcn.h>

#include <algorithm>

namespace corvelle {
namespace {

using namespace nvml;
constexpr unsigned kMostProcesses = 1024;

template <typename Function>
Function resolve(void* handle, const char* name) {
    return reinterpret_cast<Function>(dlsym(handle, name));
}

// Versions 3 and 2 of a call that share one record; drivers older than version 3 have only 2.
template <typename Function>
Function newest(void* handle, const std::string& name) {
    if (auto function = resolve<Function>(handle, (name + "_v3").c_str())) return function;
    return resolve<Function>(handle, (name + "_v2").c_str());
}

}  // namespace

struct NvmlLibrary::Calls {
    using Device = NvmlLibrary::Device;
    using ProcessList = Return (*)(Device, unsigned*, ProcessInfo*);

    Return (*init)() = nullptr;
    Return (*shutdown)() = nullptr;
    Return (*handleByBusId)(const char*, Device*) = nullptr;
    Return (*utilization)(Device, Utilization*) = nullptr;
    Return (*temperature)(Device, int, unsigned*) = nullptr;
    Return (*powerUsage)(Device, unsigned*) = nullptr;
    Return (*memoryInfo)(Device, Memory*) = nullptr;
    ProcessList graphicsProcesses = nullptr;
    ProcessList computeProcesses = nullptr;
    Return (*processUtilization)(Device, ProcessSample*, unsigned*, unsigned long long) = nullptr;

    explicit Calls(void* h) {
        init = resolve<decltype(init)>(h, "nvmlInit_v2");
        shutdown = resolve<decltype(shutdown)>(h, "nvmlShutdown");
        handleByBusId = resolve<decltype(handleByBusId)>(h, "nvmlDeviceGetHandleByPciBusId_v2");
        utilization = resolve<decltype(utilization)>(h, "nvmlDeviceGetUtilizationRates");
        temperature = resolve<decltype(temperature)>(h, "nvmlDeviceGetTemperature");
        powerUsage = resolve<decltype(powerUsage)>(h, "nvmlDeviceGetPowerUsage");
        memoryInfo = resolve<decltype(memoryInfo)>(h, "nvmlDeviceGetMemoryInfo");
        // Versions 2 and 3 share the record; older drivers have only version 2.
        graphicsProcesses = newest<ProcessList>(h, "nvmlDeviceGetGraphicsRunningProcesses");
        computeProcesses = newest<ProcessList>(h, "nvmlDeviceGetComputeRunningProcesses");
        processUtilization = resolve<decltype(processUtilization)>(h, "nvmlDeviceGetProcessUtilization");
    }
    bool complete() const { return init && shutdown && handleByBusId; }
};

NvmlLibrary::NvmlLibrary(const std::string& file) {
    handle_ = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle_) return;
    calls_ = std::make_unique<Calls>(handle_);
    if (calls_->complete()) return;
    calls_.reset();
    dlclose(handle_);
    handle_ = nullptr;
}

NvmlLibrary::~NvmlLibrary() {
    endSession();
    if (handle_) dlclose(handle_);
}

bool NvmlLibrary::startSession() {
    if (!session_) session_ = calls_->init() == kSuccess;
    return session_;
}

void NvmlLibrary::endSession() {
    if (session_) calls_->shutdown();
    session_ = false;
}

std::optional<NvmlLibrary::Figures> NvmlLibrary::query(const std::string& slot, bool keepOpen) {
    if (!available() || !startSession()) return std::nullopt;
    Device device = nullptr;
    std::optional<Figures> result;
    if (calls_->handleByBusId(slot.c_str(), &device) == kSuccess) {
        Figures& all = result.emplace();
        GpuFigures& figures = all.gpu;
        Utilization utilization{};
        if (calls_->utilization && calls_->utilization(device, &utilization) == kSuccess && utilization.gpu <= 100) {
            figures.loadPercent = utilization.gpu;
        }
        unsigned value = 0;
        if (calls_->temperature && calls_->temperature(device, kGpuTemperatureSensor, &value) == kSuccess && value < 200) {
            figures.temperature = value;
        }
        if (calls_->powerUsage && calls_->powerUsage(device, &value) == kSuccess && value <= 2'000'000) {
            figures.powerWatts = value / 1000.0;
        }
        Memory memory{};
        if (calls_->memoryInfo && calls_->memoryInfo(device, &memory) == kSuccess && memory.used <= memory.total) {
            figures.memoryUsedBytes = memory.used;
            figures.memoryTotalBytes = memory.total;
        }
        readProcesses(device, slot, all.processes);
    }
    if (!keepOpen) endSession();
    return result;
}

// The processes running graphics or compute work, with the highest shader use each had in the
// samples taken since the previous query.
void NvmlLibrary::readProcesses(Device device, const std::string& slot, std::vector<GpuReading::Client>& processes) {
    std::vector<ProcessInfo> infos(64);
    for (auto list : {calls_->graphicsProcesses, calls_->computeProcesses}) {
        if (!list) continue;
        unsigned count = static_cast<unsigned>(infos.size());
        Return status = list(device, &count, infos.data());
        if (status == kInsufficientSize && count <= kMostProcesses) {
            infos.resize(count);
            status = list(device, &count, infos.data());
        }
        if (status != kSuccess) continue;
        for (unsigned i = 0; i < std::min<size_t>(count, infos.size()); ++i) {
            const auto pid = static_cast<std::int32_t>(infos[i].pid);
            if (pid <= 0 || std::ranges::any_of(processes, [pid](const auto& p) { return p.pid == pid; })) continue;
            const auto bytes = infos[i].usedGpuMemory;
            processes.push_back({pid, std::nullopt, bytes == kNotAvailable ? std::nullopt : std::optional<std::uint64_t>(bytes)});
        }
    }
    if (!calls_->processUtilization || processes.empty()) return;
    unsigned count = 0;
    auto& since = lastSample_[slot];
    std::vector<ProcessSample> samples;
    Return status = calls_->processUtilization(device, nullptr, &count, since);
    if (status == kInsufficientSize && count <= kMostProcesses) {
        samples.resize(count);
        status = calls_->processUtilization(device, samples.data(), &count, since);
    }
    if (status == kNotFound) count = 0;
    else if (status != kSuccess) return;
    // A listed process without a sample used no shader time since the previous query.
    for (auto& process : processes) process.busyPercent = 0.0;
    for (unsigned i = 0; i < std::min<size_t>(count, samples.size()); ++i) {
        since = std::max(since, samples[i].timeStamp);
        for (auto& process : processes) {
            if (process.pid == static_cast<std::int32_t>(samples[i].pid) && samples[i].smUtil <= 100) {
                process.busyPercent = std::max(*process.busyPercent, static_cast<double>(samples[i].smUtil));
            }
        }
    }
}

}  // namespace corvelle
