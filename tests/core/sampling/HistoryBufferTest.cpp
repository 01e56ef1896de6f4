#include "sampling/HistoryBuffer.h"

#include <gtest/gtest.h>

namespace corvelle {
namespace {

TEST(HistoryBuffer, KeepsInsertionOrderUntilTheFirstOverwriteThenRotates) {
    HistoryBuffer<int> ring(3);
    for (int v : {1, 2, 3}) ring.append(v);
    EXPECT_EQ(ring.elements(), (std::vector<int>{1, 2, 3}));
    EXPECT_FALSE(ring.isFull());
    EXPECT_EQ(ring.writeIndex(), 0);

    ring.append(4);
    EXPECT_EQ(ring.buffer(), (std::vector<int>{4, 2, 3}));
    EXPECT_EQ(ring.writeIndex(), 1);
    EXPECT_TRUE(ring.isFull());
    EXPECT_EQ(ring.elements(), (std::vector<int>{2, 3, 4}));

    ring.append(5);
    ring.append(6);
    EXPECT_EQ(ring.writeIndex(), 0);
    EXPECT_EQ(ring.elements(), (std::vector<int>{4, 5, 6}));
}

TEST(HistoryBuffer, NeverGrowsPastItsCapacity) {
    HistoryBuffer<double> ring(60);
    for (int i = 0; i < 1000; ++i) ring.append(i);
    EXPECT_EQ(ring.buffer().size(), 60u);
    EXPECT_EQ(ring.elements().front(), 940);
    EXPECT_EQ(ring.elements().back(), 999);
}

}  // namespace
}  // namespace corvelle
