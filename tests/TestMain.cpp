#include "support/ProcessWideState.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    corvelle::test::installProcessWideState();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
