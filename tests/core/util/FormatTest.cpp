#include "util/Format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace corvelle {
namespace {

TEST(Format, BatteryTimeString) {
    const struct { double seconds; const char* expected; } cases[] = {
        {0, "--:--"},       {-5, "--:--"},       {std::numeric_limits<double>::infinity(), "--:--"},
        {NAN, "--:--"},     {59, "0 min"},       {45 * 60 + 59, "45 min"},
        {3599.9, "59 min"}, {3600, "1:00"},      {2 * 3600 + 5 * 60 + 30, "2:05"},
        {1e300, "--:--"},
    };
    for (const auto& c : cases) EXPECT_EQ(batteryTimeString(c.seconds), c.expected) << c.seconds;
}

TEST(Format, RpmStringGroupsThousands) {
    EXPECT_EQ(rpmString(0), "0 RPM");
    EXPECT_EQ(rpmString(999), "999 RPM");
    EXPECT_EQ(rpmString(1000), "1,000 RPM");
    EXPECT_EQ(rpmString(2147483647), "2,147,483,647 RPM");
    EXPECT_EQ(rpmString(-1234), "-1,234 RPM");
    EXPECT_EQ(rpmString(std::numeric_limits<std::int32_t>::min()), "-2,147,483,648 RPM");
}

TEST(Format, ThroughputAndBytesUnits) {
    EXPECT_EQ(throughputString(0), "0.0 B/s");
    EXPECT_EQ(throughputString(1023), "1023.0 B/s");
    EXPECT_EQ(throughputString(1024), "1.0 KB/s");
    EXPECT_EQ(throughputString(1536ULL * 1024 * 1024), "1.5 GB/s");
    // Three divisions at most: terabytes per second stay in GB/s.
    EXPECT_EQ(throughputString(2ULL << 40), "2048.0 GB/s");

    EXPECT_EQ(bytesString(0), "0 B");
    EXPECT_EQ(bytesString(1023), "1023 B");
    EXPECT_EQ(bytesString(1024), "1.0 KB");
    EXPECT_EQ(bytesString(16ULL << 30), "16.0 GB");
    EXPECT_EQ(bytesString(3ULL << 50), "3072.0 TB");
}

}  // namespace
}  // namespace corvelle
