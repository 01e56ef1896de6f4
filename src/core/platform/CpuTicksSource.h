#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace corvelle {

// Cumulative tick counters of one logical CPU.
struct CpuTicks {
    int cpu = 0;  // the logical CPU number
    std::uint64_t user = 0;
    std::uint64_t system = 0;
    std::uint64_t idle = 0;
    std::uint64_t nice = 0;
    bool operator==(const CpuTicks&) const = default;
};

// Per-CPU load counters of the machine, in CPU-number order.
class CpuTicksSource {
public:
    virtual ~CpuTicksSource() = default;
    // Absent when the counters cannot be read.
    virtual std::optional<std::vector<CpuTicks>> read() = 0;
    // Numbers of the efficiency CPUs; empty when the machine has no hybrid topology.
    virtual std::vector<int> efficiencyCpus() = 0;
};

}  // namespace corvelle
