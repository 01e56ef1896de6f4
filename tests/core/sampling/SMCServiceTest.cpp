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

// A key's type is asked once (command 9, without data) and kept, a failed look-up is asked again;
// a read asks the key's size and then reads (command 5) that size.
TEST(SMCService, KeyTypesAreAskedOnceAndReadsTakeTheAnsweredSize) {
    auto [fake, smc] = Controller(2);
    ASSERT_TRUE(smc->isOpen());
    EXPECT_EQ(smc->getKeyInfo("Tp05"), fourCharCode("sp78"));
    EXPECT_EQ(smc->readBytes("Tp05"), (SMCService::Bytes{0x2D, 0x80, 0x11, 0x22}));
    EXPECT_EQ(smc->getKeyInfo("Tp05"), fourCharCode("sp78"));
    std::vector<std::tuple<std::uint32_t, std::uint32_t, int, std::uint32_t>> calls;
    for (const auto& c : fake->calls) calls.emplace_back(c.selector, c.input.key, c.input.command, c.input.dataSize);
    const auto key = fourCharCode("Tp05");
    EXPECT_EQ(calls, (decltype(calls){{2, key, 9, 0}, {2, key, 9, 0}, {2, key, 5, 2}}));
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
