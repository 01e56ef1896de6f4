#pragma once

#include "platform/BlockStatsSource.h"
#include "platform/CpuTicksSource.h"
#include "platform/NetStatsSource.h"
#include "platform/VmStatsSource.h"

#include <atomic>
#include <deque>
#include <memory>
#include <optional>
#include <vector>

namespace corvelle::test {

// Sources that answer from a script of readings (the last one repeats) and count their reads.
template <typename Reading>
class Script {
public:
    void push(std::optional<Reading> reading) { readings_.push_back(std::move(reading)); }
    std::optional<Reading> next() {
        ++reads;
        if (readings_.empty()) return std::nullopt;
        if (frontRead_ && readings_.size() > 1) readings_.pop_front();
        frontRead_ = true;
        return readings_.front();
    }
    std::atomic<int> reads{0};

private:
    std::deque<std::optional<Reading>> readings_;
    bool frontRead_ = false;
};

class FakeCpuTicks : public CpuTicksSource {
public:
    std::optional<std::vector<CpuTicks>> read() override { return script.next(); }
    std::vector<int> efficiencyCpus() override { return efficiency; }
    Script<std::vector<CpuTicks>> script;
    std::vector<int> efficiency;
};

class FakeVmStats : public VmStatsSource {
public:
    std::uint64_t physicalMemory() override { return total; }
    std::optional<VmStats> read() override { return script.next(); }
    Script<VmStats> script;
    std::uint64_t total = 0;
};

class FakeBlockStats : public BlockStatsSource {
public:
    std::optional<BlockTotals> read() override { return script.next(); }
    Script<BlockTotals> script;
};

class FakeNetStats : public NetStatsSource {
public:
    std::optional<NetTotals> read() override { return script.next(); }
    Script<NetTotals> script;
};

}  // namespace corvelle::test
