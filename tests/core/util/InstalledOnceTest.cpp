#include "util/InstalledOnce.h"

#include <gtest/gtest.h>

namespace corvelle {
namespace {

TEST(InstalledOnceDeathTest, UseBeforeInstallingAndASecondInstallEndTheProgram) {
    InstalledOnce<int> answer("the answer");
    EXPECT_DEATH(answer.get(), "the answer used before it was installed");
    answer.install(42);
    EXPECT_EQ(answer.get(), 42);
    EXPECT_DEATH(answer.install(43), "the answer installed twice");
}

}  // namespace
}  // namespace corvelle
