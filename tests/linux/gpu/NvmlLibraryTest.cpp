#include "linux/gpu/NvmlLibrary.h"

#include "support/NvmlStub.h"

#include <gtest/gtest.h>

namespace corvelle {
namespace {

using Processes = std::vector<GpuReading::Client>;
constexpr const char* kSlot = "0000:01:00.0";

// The stub's GPU; Steam's most shader time among the samples since the previous query, 0 when
// there is none; the session stays open only when asked.
TEST(NvmlLibrary, ReadsTheGpuInASessionThatStaysOpenOnlyWhenAsked) {
    test::NvmlStub stub;
    NvmlLibrary nvml(test::NvmlStub::path());
    ASSERT_TRUE(nvml.available());
    const struct { int mode; bool keepOpen; double steam; int sessions; } queries[] = {
        {test::NvmlStub::works, false, 37, 0}, {test::NvmlStub::noNewSamples, true, 0, 1}};
    for (const auto& query : queries) {
        stub.setMode(query.mode);
        const auto figures = nvml.query(kSlot, query.keepOpen);
        ASSERT_TRUE(figures);
        const auto& gpu = figures->gpu;
        EXPECT_EQ(std::tuple(gpu.loadPercent, gpu.powerWatts, gpu.temperature, gpu.memoryUsedBytes, gpu.memoryTotalBytes),
                  std::tuple(41.0, 6.2, 61.0, 1ULL << 30, 4ULL << 30));
        EXPECT_EQ(figures->processes, (Processes{{3100, query.steam, 512ULL << 20}}));
        EXPECT_EQ(stub.openSessions(), query.sessions);
    }
}

TEST(NvmlLibrary, AMissingOrFailingLibraryGivesNoFiguresAndIsTriedAgain) {
    EXPECT_FALSE(NvmlLibrary("libnvidia-ml-not-installed.so.1").query(kSlot, false));
    EXPECT_FALSE(NvmlLibrary("libm.so.6").available());  // a library without its calls
    test::NvmlStub stub;
    NvmlLibrary nvml(test::NvmlStub::path());
    EXPECT_FALSE(nvml.query("0000:02:00.0", false));  // no GPU in that slot
    for (const int mode : {test::NvmlStub::failsToStart, test::NvmlStub::knowsNoGpu, test::NvmlStub::works}) {
        stub.setMode(mode);
        EXPECT_EQ(nvml.query(kSlot, false).has_value(), mode == test::NvmlStub::works) << mode;
        EXPECT_EQ(stub.openSessions(), 0) << mode;
    }
}

}  // namespace
}  // namespace corvelle
