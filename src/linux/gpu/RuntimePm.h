#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

namespace corvelle::RuntimePm {

// A device's runtime power management as its power/ folder tells it. Reading those files never
// resumes the device; reading anything else under a sleeping device may.
enum class Status {
    active,     // awake, and may go to sleep when idle
    suspended,  // asleep, on its way there, or in an error state: leave it alone
    resuming,   // waking up: leave it alone until it is awake
    alwaysOn,   // not managed (no runtime power management, or it is turned off): never sleeps
};

// From the texts of power/runtime_status (absent when the file is missing) and power/control.
Status parse(std::optional<std::string_view> status, std::string_view control);

// Reads the device's power/runtime_status, and power/control when it is awake.
Status read(const std::filesystem::path& device);

// True when values under a device in this state may be read without waking it.
constexpr bool mayRead(Status status) { return status == Status::active || status == Status::alwaysOn; }

// The check to make before reading anything under a device that may sleep.
inline bool mayRead(const std::filesystem::path& device) { return mayRead(read(device)); }

}  // namespace corvelle::RuntimePm
