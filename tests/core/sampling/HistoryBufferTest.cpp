#include "sampling/HistoryBuffer.h"

#include <gtest/gtest.h>

namespace corvelle {
namespace {

TEST(HistoryBuffer, KeepsTheLastValuesOldestFirstAndNeverGrows) {
    HistoryBuffer<int> ring(3);
    for (int v : {1, 2}) ring.append(v);
    EXPECT_EQ(ring.elements(), (std::vector<int>{1, 2}));
    ring.append(3);
    ring.append(4);
    EXPECT_EQ(ring.elements(), (std::vector<int>{2, 3, 4}));
    for (int v = 5; v < 1000; ++v) ring.append(v);
    EXPECT_EQ(ring.elements(), (std::vector<int>{997, 998, 999}));
    EXPECT_EQ(ring.buffer().size(), 3u);
}

}  // namespace
}  // namespace corvelle
