#pragma once

#include "linux/HwmonDevice.h"
#include "linux/SensorChoice.h"
#include "linux/gpu/GpuGate.h"
#include "platform/SMCTransport.h"

#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

namespace corvelle {

// Answers the controller's key-info and read-key calls from /sys/class/hwmon and
// /sys/class/thermal: the first performance-core key reads the CPU, the first efficiency-core key
// a hybrid CPU's efficiency cores, the first GPU key the hottest GPU sensor (see SensorChoice),
// and F0Ac onward one fan input each, in a stable order. Every key answers type "flt ". Keys
// without a sensor fail the call. The sensors are scanned once, and again only when a sensor file
// disappears. The sensors of a GPU are read only as its gate allows: those of a GPU that sleeps are
// not even listed until it wakes, and between the bursts of a discrete GPU its last values stand.
class HwmonSMCTransport : public SMCTransport {
public:
    // Without a gate every sensor is read whenever asked.
    explicit HwmonSMCTransport(std::filesystem::path root = "/", std::shared_ptr<GpuGate> gate = nullptr);

    // Scans the sensors; false when no key has one.
    bool open() override;
    bool call(std::uint32_t selector, const SMCParamRecord& input, SMCParamRecord& output) override;
    void close() override {}

private:
    // A sensor file, the GPU device it is under (empty for any other) and its latest value.
    struct Sensor {
        std::filesystem::path file;
        std::filesystem::path gpu;
        std::optional<double> last;
    };
    // A key reads the hottest of its files (a fan key has one), each read with `parse`; a value
    // above `limit` is no reading.
    struct KeyFiles {
        std::vector<Sensor> files;
        std::optional<double> (*parse)(std::string_view text) = nullptr;
        std::optional<double> limit;
    };

    void scan();
    void mapFans(const std::vector<HwmonDevice>& devices);
    std::vector<SensorChip> thermalZones() const;
    SensorChoice::CoreSet efficiencyCores() const;
    std::optional<double> readKey(std::uint32_t key);
    // The GPU device a hwmon folder belongs to, when the gate guards it.
    std::filesystem::path gpuOf(const std::filesystem::path& hwmon) const;
    bool asleep(const std::filesystem::path& hwmon);
    void rescanWhenAwake();
    std::vector<Sensor> sensors(std::vector<std::filesystem::path> files) const;

    std::filesystem::path root_;
    std::shared_ptr<GpuGate> gate_;
    std::map<std::uint32_t, KeyFiles> keys_;
    std::vector<std::filesystem::path> asleep_;  // GPUs that slept at the scan: their sensors are not listed
};

}  // namespace corvelle
