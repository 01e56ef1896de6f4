#include "util/Iso8601.h"
#include "util/JsonText.h"

#include <gtest/gtest.h>

#include <cmath>

namespace corvelle {
namespace {

TEST(Iso8601, FormatsUtcWholeSecondsAndParsesBackOnlyWellFormedText) {
    EXPECT_EQ(Iso8601::format(0), "1970-01-01T00:00:00Z");
    EXPECT_EQ(Iso8601::format(1751292309.9), "2025-06-30T14:05:09Z");
    EXPECT_EQ(Iso8601::format(-0.5), "1969-12-31T23:59:59Z");
    EXPECT_EQ(Iso8601::parse("2025-06-30T14:05:09Z"), 1751292309.0);
    EXPECT_EQ(Iso8601::parse("2025-06-30T16:05:09+02:00"), 1751292309.0);
    for (const char* bad : {"", "2025-06-30", "2025-06-30T14:05:09", "2025-02-30T00:00:00Z", "2025-06-30T24:00:00Z",
                            "2025-06-30 14:05:09Z", "2025-06-30T14:05:09.5Z", "x025-06-30T14:05:09Z",
                            "2025-06-30T14:05:09Zjunk"}) {
        EXPECT_FALSE(Iso8601::parse(bad)) << bad;
    }
}

TEST(JsonText, RefusesNonFiniteNumbersAndSortsKeys) {
    EXPECT_EQ(JsonText::encode(nlohmann::json{{"b", 1}, {"a", 2.5}}), R"({"a":2.5,"b":1})");
    EXPECT_FALSE(JsonText::encode(nlohmann::json{{"x", {1.0, NAN}}}));
    EXPECT_FALSE(JsonText::encode(nlohmann::json{{"x", INFINITY}}));
    EXPECT_FALSE(JsonText::decode("{not json"));
}

}  // namespace
}  // namespace corvelle
