#pragma once

#include "linux/HwmonDevice.h"
#include "platform/SMCTransport.h"

#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <string_view>
#include <utility>
#include <vector>

namespace corvelle {

// Answers the controller's key-info and read-key calls from /sys/class/hwmon: the efficiency-
// and performance-core keys read coretemp cores (split by the hybrid topology) or the k10temp
// Tctl/Tccd sensors, the GPU keys a graphics driver's edge sensor, F0Ac/F1Ac the first two fan
// inputs. Every key answers type "flt ". Keys without a sensor fail the call.
// The devices are scanned once, and again only when a sensor file disappears.
class HwmonSMCTransport : public SMCTransport {
public:
    // A key reads the mean of its files, each read with `parse` (°C from m°C, or RPM).
    struct KeyFiles {
        std::vector<std::filesystem::path> files;
        std::optional<double> (*parse)(std::string_view text) = nullptr;
    };
    using KeyMap = std::map<std::uint32_t, KeyFiles>;
    // Efficiency cores as (package id, core id).
    using CoreSet = std::set<std::pair<int, int>>;

    explicit HwmonSMCTransport(std::filesystem::path root = "/");

    // Scans the devices; false when no key has a sensor.
    bool open() override;
    bool call(std::uint32_t selector, const SMCParamRecord& input, SMCParamRecord& output) override;
    void close() override {}

    // Which sensors stand behind which key. Sensors of a group are dealt to its keys in turn,
    // so the keys' mean is the sensors' mean whenever they divide evenly.
    static KeyMap mapKeys(const std::vector<HwmonDevice>& devices, const CoreSet& efficiencyCores);

private:
    void scan();
    CoreSet efficiencyCores() const;
    std::optional<double> readKey(std::uint32_t key);

    std::filesystem::path root_;
    KeyMap keys_;
};

}  // namespace corvelle
