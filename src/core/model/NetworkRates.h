#pragma once

#include <cstdint>

namespace corvelle {

// Network receive and send rates, bytes per second.
struct NetworkRates {
    std::uint64_t networkInBytesPerSec = 0;
    std::uint64_t networkOutBytesPerSec = 0;
    bool operator==(const NetworkRates&) const = default;
};

}  // namespace corvelle
