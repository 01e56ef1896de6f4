#include "app/views/tabs/ProcessesContent.h"
#include "app/views/tabs/TipsContent.h"
#include "support/ScopedLanguage.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

namespace corvelle {
namespace {

using SC = SystemColor;
using ProcessesContent::SortOrder;

ProcStats proc(std::int32_t pid, const char* name, double cpu, std::uint64_t memory, double energy) {
    return {pid, name, cpu, memory, 1, energy};
}

std::vector<std::int32_t> pids(const std::vector<ProcStats>& processes) {
    std::vector<std::int32_t> result;
    for (const auto& p : processes) result.push_back(p.pid);
    return result;
}

TEST(ProcessesContentTest, SortsByEachColumnKeepingTiesInIncomingOrder) {
    const std::vector<ProcStats> incoming{proc(1, "Alpha", 5, 300, 20), proc(2, "beta", 40, 100, 20),
                                          proc(3, "alpha", 5, 900, std::nan("")), proc(4, "Zed", std::nan(""), 300, 70)};
    const std::tuple<SortOrder, std::vector<std::int32_t>> cases[] = {
        {SortOrder::cpu, {2, 1, 3, 4}},     // tie 1/3 kept; NaN last
        {SortOrder::memory, {3, 1, 4, 2}},  // tie 1/4 kept
        {SortOrder::name, {1, 3, 2, 4}},    // Alpha, alpha, beta: case ignored, the tie kept
        {SortOrder::energy, {4, 1, 2, 3}},
    };
    for (const auto& [order, expected] : cases) EXPECT_EQ(pids(ProcessesContent::sorted(incoming, order)), expected) << int(order);
}

TEST(ProcessesContentTest, CpuColourChangesAtItsBoundaries) {
    const std::pair<double, SC> cpu[] = {{-0.1, SC::red},    {0, SC::secondary}, {4.99, SC::secondary}, {5, SC::primary},
                                         {24.99, SC::primary}, {25, SC::orange},   {49.99, SC::orange},   {50, SC::red}};
    for (const auto& [value, color] : cpu) EXPECT_EQ(ProcessesContent::cpuColor(value), color) << value;
}

TEST(ProcessesContentTest, ARowShowsItsFiguresInTheCurrentLanguage) {
    test::ScopedLanguage language("es");
    const auto row = ProcessesContent::row(proc(4021, "worker", 27.25, 3ULL << 29, 180));
    EXPECT_EQ(row, (ProcessesContent::Row{"worker", "PID 4021", "27.2%", SC::orange, "1.5 GB", 1.0, "Alto", SC::red}));
    EXPECT_EQ(ProcessesContent::row(proc(1, "x", 0, 512, std::nan(""))).energyFraction, 0.0);
    EXPECT_EQ(ProcessesContent::row(proc(1, "x", 0, 512, 12.5)).energyColor, SC::orange);
}

TEST(TipsContentTest, PraisingTipsAreGreenOthersFollowTheirSeverity) {
    using S = BatteryTip::Severity;
    const std::tuple<const char*, S, SC> cases[] = {
        {"thermal", S::critical, SC::red},       {"high-watts", S::warning, SC::orange}, {"cpu-busy", S::info, SC::blue},
        {"healthy-range", S::info, SC::green},   {"idle-efficiency", S::info, SC::green},
        {"good-habits", S::critical, SC::green}, {"great-efficiency-x", S::info, SC::blue}};
    for (const auto& [id, severity, color] : cases) EXPECT_EQ(TipsContent::tipColor({id, "", "", "", 1, severity}), color) << id;
}

TEST(TipsContentTest, AMachineWithoutABatteryIsNotAboutToDie) {
    test::ScopedLanguage language("en");
    EXPECT_TRUE(TipsContent::content({}, std::nullopt, std::nullopt, std::nullopt).tips.empty());
    SystemStats dying;
    dying.batteryPercentage = 4;
    const auto tips = TipsContent::content(dying, std::nullopt, std::nullopt, std::nullopt).tips;
    ASSERT_FALSE(tips.empty());
    EXPECT_EQ(tips.front().title, "Battery almost empty");
}

}  // namespace
}  // namespace corvelle
