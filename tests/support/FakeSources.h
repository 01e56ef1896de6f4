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

// A source whose readings come from its script.
template <typename Source, typename Reading>
class ScriptedSource : public Source {
public:
    std::optional<Reading> read() override { return script.next(); }
    Script<Reading> script;
};

class FakeCpuTicks : public ScriptedSource<CpuTicksSource, std::vector<CpuTicks>> {
public:
    std::vector<int> efficiencyCpus() override { return efficiency; }
    std::vector<int> efficiency;
};

class FakeVmStats : public ScriptedSource<VmStatsSource, VmStats> {
public:
    std::uint64_t physicalMemory() override { return total; }
    std::uint64_t total = 0;
};

using FakeBlockStats = ScriptedSource<BlockStatsSource, BlockTotals>;
using FakeNetStats = ScriptedSource<NetStatsSource, NetTotals>;

}  // namespace corvelle::test
