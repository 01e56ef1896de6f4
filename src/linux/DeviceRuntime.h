#pragma once

#include <filesystem>

// The runtime power state of a device (power/runtime_status). Reading it never wakes the device;
// reading most other files of a sleeping device would, so they are read only while it is awake.
namespace corvelle::DeviceRuntime {

// The device's folder under /sys/devices (or a link to it) says "suspended" or "suspending".
bool isAsleep(const std::filesystem::path& device);

}  // namespace corvelle::DeviceRuntime
