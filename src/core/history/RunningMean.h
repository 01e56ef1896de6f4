#pragma once

#include <cstdint>

namespace corvelle {

// The mean of `count` values followed by one more value.
inline double runningMean(double mean, double value, std::int64_t count) {
    const auto n = static_cast<double>(count);
    return (mean * n + value) / (n + 1);
}

}  // namespace corvelle
