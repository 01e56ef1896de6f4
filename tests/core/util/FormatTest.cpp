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

TEST(Format, RpmGroupsThousandsAndRatesAndSizesTakeTheirUnits) {
    for (const auto& [rpm, text] : {std::pair{0, "0 RPM"}, {999, "999 RPM"}, {1000, "1,000 RPM"},
                                    {2147483647, "2,147,483,647 RPM"}, {-1234, "-1,234 RPM"},
                                    {std::numeric_limits<std::int32_t>::min(), "-2,147,483,648 RPM"}}) {
        EXPECT_EQ(rpmString(rpm), text);
    }
    // Three divisions at most for rates: terabytes per second stay in GB/s.
    for (const auto& [bytes, rate, size] :
         {std::tuple{0ULL, "0.0 B/s", "0 B"}, {1023ULL, "1023.0 B/s", "1023 B"}, {1024ULL, "1.0 KB/s", "1.0 KB"},
          {1536ULL << 20, "1.5 GB/s", "1.5 GB"}, {2ULL << 40, "2048.0 GB/s", "2.0 TB"},
          {3ULL << 50, "3145728.0 GB/s", "3072.0 TB"}}) {
        EXPECT_EQ(throughputString(bytes), rate);
        EXPECT_EQ(bytesString(bytes), size);
    }
}

}  // namespace
}  // namespace corvelle
