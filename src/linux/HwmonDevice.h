#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace corvelle {

// One hardware-monitoring device of /sys/class/hwmon and the inputs it offers.
struct HwmonDevice {
    struct Temperature {
        int index = 0;      // N of tempN_input
        std::string label;  // tempN_label, empty when there is none
    };

    std::filesystem::path directory;
    std::string name;
    std::vector<Temperature> temperatures;  // in index order
    std::vector<int> fans;                  // N of each fanN_input, in order

    std::filesystem::path temperatureFile(int index, const char* suffix = "input") const;
    std::filesystem::path fanFile(int index, const char* suffix = "input") const;

    // The devices below root in number order (hwmon2 before hwmon10). `skip` leaves out the
    // folders it answers true for, without opening anything in them.
    static std::vector<HwmonDevice> scan(const std::filesystem::path& root,
                                         const std::function<bool(const std::filesystem::path&)>& skip = {});
    // The same for the hwmonN folders in one folder (a device's "hwmon").
    static std::vector<HwmonDevice> scanFolder(const std::filesystem::path& folder,
                                               const std::function<bool(const std::filesystem::path&)>& skip = {});
};

}  // namespace corvelle
