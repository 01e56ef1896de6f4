#include "outbound/UpdateFeed.h"

#include <gtest/gtest.h>

namespace corvelle {
namespace {

TEST(UpdateFeedTest, VersionsCompareNumberByNumber) {
    const struct { const char* a; const char* b; int order; } cases[] = {
        {"1.0.1", "1.0.1", 0}, {"1.0.10", "1.0.9", 1}, {"1.1", "1.1.0", 0},  {"2", "1.9.9", 1},
                 {"0.9", "1.0", -1},    {"1.0.1.1", "1.0.1", 1}, {"010", "9", 1}};
    for (const auto& c : cases) {
        EXPECT_EQ(UpdateFeed::compare(*UpdateFeed::parseVersion(c.a), *UpdateFeed::parseVersion(c.b)), c.order)
            << c.a << " vs " << c.b;
    }
    for (const char* bad : {"", "1.", ".1", "1..2", "1.x", "-1", "1.0.0.0.0", "v1.2", "1 .2", "1234567890"}) {
        EXPECT_FALSE(UpdateFeed::parseVersion(bad)) << bad;
    }
}

TEST(UpdateFeedTest, FeedsAgainstTheRunningVersion) {
    const struct { const char* feed; std::optional<UpdateCheckResult> result; } cases[] = {
        {R"({"version":"1.2.0","url":"https://example.org/get"})",
         UpdateCheckResult::available("1.2.0", "https://example.org/get")},
        {R"({"version":"1.0.2"})", UpdateCheckResult::available("1.0.2", "")},
        {R"({"version":"1.2.0","url":"http://example.org/get"})", UpdateCheckResult::available("1.2.0", "")},
        {R"j({"version":"1.2.0","url":"javascript:alert(1)"})j", UpdateCheckResult::available("1.2.0", "")},
        {R"({"version":"1.2.0","url":"https://a b"})", UpdateCheckResult::available("1.2.0", "")},
        {R"({"version":"1.0.1","url":"https://example.org/get"})", UpdateCheckResult::upToDate()},
        {R"({"version":"0.9"})", UpdateCheckResult::upToDate()}, {R"({"version":"1.x"})", std::nullopt},
        {R"({"version":2})", std::nullopt}, {R"({"url":"https://example.org"})", std::nullopt},
        {R"(["1.2.0"])", std::nullopt}, {"<html>gateway</html>", std::nullopt}, {"", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(UpdateFeed::evaluate(c.feed, "1.0.1"), c.result) << c.feed;
}

}  // namespace
}  // namespace corvelle
