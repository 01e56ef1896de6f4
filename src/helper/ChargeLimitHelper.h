#pragma once

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

// corvelle-charge-limit, the only code of Corvelle that runs as root (through pkexec): writes a
// battery's charge thresholds, and nothing else.
namespace corvelle::ChargeLimitHelper {

enum Exit : int {
    applied = 0,
    badArguments = 2,  // wrong count, not a number, out of 1-100, start not below end
    badBattery = 3,    // not a battery's name, or it leads outside /sys/devices
    unsupported = 4,   // the battery lacks a threshold file that was asked for
    writeFailed = 5,   // the kernel refused a value
};

// Runs with the arguments after the program name: BATTERY [START] END. Paths are taken below
// `root`. Each write is reported on `out` as "BATTERY: FILE=VALUE"; a refusal on `err`.
int run(const std::vector<std::string>& arguments, const std::filesystem::path& root, std::ostream& out,
        std::ostream& err);

}  // namespace corvelle::ChargeLimitHelper
