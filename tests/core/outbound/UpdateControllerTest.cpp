#include "outbound/UpdateController.h"

#include "support/FakeOutbound.h"
#include "support/ManualEventLoop.h"

#include <gtest/gtest.h>

namespace corvelle {
namespace {

using Kind = UpdateCheckResult::Kind;

class UpdateControllerTest : public ::testing::Test {
protected:
    std::unique_ptr<UpdateController> make() {
        return std::make_unique<UpdateController>(UpdateController::Dependencies{
            http, loop, "1.0.1", [this](const UpdateCheckResult& result) { presented.push_back(result.kind); },
            [this](const std::string& line) { logged.push_back(line); }});
    }

    size_t requests() { return http->recorded().size(); }
    void answer(HttpResult result) { http->recorded().back().done(std::move(result)); }

    test::FakeClock clock;
    std::shared_ptr<test::ManualEventLoop> loop = std::make_shared<test::ManualEventLoop>(clock);
    std::shared_ptr<test::RecordingHttpClient> http = std::make_shared<test::RecordingHttpClient>();
    std::vector<Kind> presented;
    std::vector<std::string> logged;
    std::unique_ptr<UpdateController> controller = make();
};

TEST_F(UpdateControllerTest, ChecksAtStartThenEveryDay) {
    controller->start();
    ASSERT_EQ(requests(), 1u);
    EXPECT_EQ(http->recorded()[0].url, UpdateController::feedUrl);
    answer({200, "", R"({"version":"1.0.1"})"});
    loop->advance(86'399);
    EXPECT_EQ(requests(), 1u);
    loop->advance(1);
    EXPECT_EQ(requests(), 2u);
    controller.reset();
    EXPECT_EQ(loop->activeTimers(), 0u);
    answer({200, "", R"({"version":"9"})"});  // after the controller is gone: nothing happens
    EXPECT_TRUE(presented.empty());
}

TEST_F(UpdateControllerTest, AutomaticChecksSpeakOnlyOfUpdatesAndLogAFailureOnce) {
    const struct { HttpResult answer; Kind kind; } cases[] = {
        {{200, "", R"({"version":"1.2"})"}, Kind::available},
        {{200, "", R"({"version":"1.0.1"})"}, Kind::upToDate},
        {{404, "", ""}, Kind::unreachable},
        {{std::nullopt, "Could not resolve host", ""}, Kind::unreachable},
        {{200, "", "<html>portal</html>"}, Kind::unreadable},
    };
    for (const auto& c : cases) {
        controller = make();
        presented.clear();
        controller->checkForUpdates();
        answer(c.answer);
        EXPECT_EQ(presented, std::vector<Kind>{c.kind}) << "asked for: always shown";

        presented.clear();
        logged.clear();
        for (int day = 0; day < 2; ++day) {
            controller->start();
            answer(c.answer);
        }
        const bool failed = c.kind != Kind::available && c.kind != Kind::upToDate;
        EXPECT_EQ(presented.size(), c.kind == Kind::available ? 2u : 0u) << static_cast<int>(c.kind);
        EXPECT_EQ(logged.size(), failed ? 1u : 0u) << static_cast<int>(c.kind);
    }
    EXPECT_NE(logged.back().find("could not be read"), std::string::npos) << logged.back();
}

TEST_F(UpdateControllerTest, AskingDuringAnAutomaticCheckShowsItsOutcome) {
    controller->start();
    controller->checkForUpdates();
    EXPECT_EQ(requests(), 1u) << "joins the check under way";
    answer({std::nullopt, "Timeout was reached", ""});
    EXPECT_EQ(presented, std::vector<Kind>{Kind::unreachable});
    EXPECT_TRUE(logged.empty()) << "shown, so not logged";
}

}  // namespace
}  // namespace corvelle
