#pragma once

#include "platform/CpuTicksSource.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace corvelle {

// Per-CPU ticks from /proc/stat; efficiency CPUs from the hybrid topology in /sys.
class ProcStatCpuSource : public CpuTicksSource {
public:
    explicit ProcStatCpuSource(std::filesystem::path root = "/");

    std::optional<std::vector<CpuTicks>> read() override;
    std::vector<int> efficiencyCpus() override;

    // The "cpuN" rows of /proc/stat text: user; system + irq + softirq; idle + iowait; nice.
    // Absent when any such row is malformed or repeats a CPU, or there is none.
    static std::optional<std::vector<CpuTicks>> parse(std::string_view text);
    // A kernel CPU list such as "0-3,8,10-11"; absent when malformed or not ascending.
    static std::optional<std::vector<int>> parseCpuList(std::string_view text);

private:
    std::vector<int> capacityEfficiencyCpus() const;

    std::filesystem::path root_;
    std::string buffer_;
};

}  // namespace corvelle
