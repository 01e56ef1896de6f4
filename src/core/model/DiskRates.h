#pragma once

#include <cstdint>

namespace corvelle {

// Disk read and write rates, bytes per second.
struct DiskRates {
    std::uint64_t diskReadBytesPerSec = 0;
    std::uint64_t diskWriteBytesPerSec = 0;
    bool operator==(const DiskRates&) const = default;
};

}  // namespace corvelle
