#pragma once

#include "linux/HwmonDevice.h"
#include "linux/SensorChoice.h"
#include "platform/SMCTransport.h"

#include <filesystem>
#include <map>
#include <optional>
#include <string_view>
#include <vector>

namespace corvelle {

// Answers the controller's key-info and read-key calls from /sys/class/hwmon and
// /sys/class/thermal: the first performance-core key reads the CPU, the first efficiency-core key
// a hybrid CPU's efficiency cores, the first GPU key the hottest GPU sensor (see SensorChoice),
// and F0Ac onward one fan input each, in a stable order. Every key answers type "flt ". Keys
// without a sensor fail the call. The sensors are scanned once, and again only when a sensor file
// disappears.
class HwmonSMCTransport : public SMCTransport {
public:
    explicit HwmonSMCTransport(std::filesystem::path root = "/");

    // Scans the sensors; false when no key has one.
    bool open() override;
    bool call(std::uint32_t selector, const SMCParamRecord& input, SMCParamRecord& output) override;
    void close() override {}

private:
    // A key reads the hottest of its files (a fan key has one), each read with `parse`; a value
    // above `limit` is no reading.
    struct KeyFiles {
        std::vector<std::filesystem::path> files;
        std::optional<double> (*parse)(std::string_view text) = nullptr;
        std::optional<double> limit;
    };

    void scan();
    void mapFans(const std::vector<HwmonDevice>& devices);
    std::vector<SensorChip> thermalZones() const;
    SensorChoice::CoreSet efficiencyCores() const;
    std::optional<double> readKey(std::uint32_t key);

    std::filesystem::path root_;
    std::map<std::uint32_t, KeyFiles> keys_;
};

}  // namespace corvelle
