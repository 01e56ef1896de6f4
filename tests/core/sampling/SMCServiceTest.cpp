#include "sampling/SMCService.h"

#include "support/FakeSMCTransport.h"

#include <gtest/gtest.h>

namespace corvelle {
namespace {

using test::FakeSMCTransport;

// A service on a controller that has the one key Tp05, of type sp78; its transport records the calls.
struct Controller {
    FakeSMCTransport* fake = new FakeSMCTransport;
    std::unique_ptr<SMCService> smc;
    explicit Controller(std::uint32_t size = 4, bool opens = true) {
        fake->setKey("Tp05", "sp78", {0x2D, 0x80, 0x11, 0x22}, size);
        fake->openSucceeds = opens;
        smc = std::make_unique<SMCService>(std::unique_ptr<SMCTransport>(fake));
    }
};

TEST(SMCService, KeyCodesAreTheFirstFourBytesMostSignificantFirst) {
    const struct { const char* text; std::uint32_t code; } cases[] = {
        {"Tp0b", 0x54703062}, {"Te05", 0x54653035}, {"ABC", 0x41424320},
                 {"flt ", 0x666C7420}, {"fpe2", 0x66706532}, {"TooLong", 0x546F6F4C}};
    for (const auto& c : cases) EXPECT_EQ(fourCharCode(c.text), c.code) << c.text;
}

TEST(SMCService, ReadAsksForKeyInfoThenReadsWithTheAnsweredSize) {
    auto [fake, smc] = Controller(2);
    ASSERT_TRUE(smc->isOpen());
    EXPECT_EQ(smc->readBytes("Tp05"), (SMCService::Bytes{0x2D, 0x80, 0x11, 0x22}));
    // Key info (command 9) without data, then a read (command 5) of the answered size.
    std::vector<std::tuple<std::uint32_t, std::uint32_t, int, std::uint32_t>> calls;
    for (const auto& c : fake->calls) calls.emplace_back(c.selector, c.input.key, c.input.command, c.input.dataSize);
    const auto key = fourCharCode("Tp05");
    EXPECT_EQ(calls, (decltype(calls){{2, key, 9, 0}, {2, key, 5, 2}}));
}

TEST(SMCService, KeyTypesAreAskedOnceThenCached) {
    auto [fake, smc] = Controller();
    EXPECT_EQ(smc->getKeyInfo("Tp05"), fourCharCode("sp78"));
    EXPECT_EQ(smc->getKeyInfo("Tp05"), fourCharCode("sp78"));
    EXPECT_EQ(fake->calls.size(), 1u);
    // A failed look-up is not cached.
    EXPECT_FALSE(smc->getKeyInfo("Tx00"));
    fake->setKey("Tx00", "flt ", {});
    EXPECT_EQ(smc->getKeyInfo("Tx00"), fourCharCode("flt "));
}

TEST(SMCService, ClosedServiceReadsNothing) {
    EXPECT_FALSE(SMCService(nullptr).readBytes("Tp05"));

    auto [fake, smc] = Controller(4, false);
    EXPECT_FALSE(smc->isOpen() || smc->readBytes("Tp05") || smc->getKeyInfo("Tp05"));
    EXPECT_TRUE(fake->calls.empty());
}

}  // namespace
}  // namespace corvelle
