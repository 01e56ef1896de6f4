#include "app/qt/QtSortKeys.h"
#include "sampling/ProcessOrder.h"
#include "support/Each.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <tuple>
#include <vector>

namespace corvelle {
namespace {

using Key = ProcessOrder::Key;

ProcStats proc(std::int32_t pid, const char* name, double cpu, std::uint64_t memory, double energy) {
    return {pid, name, cpu, memory, 1, energy};
}

TEST(QtSortKeysTest, SortsByEachColumnEitherWayKeepingTiesInIncomingOrder) {
    const std::vector<ProcStats> incoming{proc(1, "Alpha", 5, 300, 20), proc(2, "beta", 40, 100, 20),
                                          proc(3, "alpha", 5, 900, std::nan("")), proc(4, "Zed", std::nan(""), 300, 70)};
    const std::tuple<ProcessOrder, std::vector<std::int32_t>> cases[] = {
        {{Key::cpu}, {2, 1, 3, 4}},     // tie 1/3 kept; NaN last
        {{Key::memory}, {3, 1, 4, 2}},  // tie 1/4 kept
        {{Key::name}, {1, 3, 2, 4}},    // Alpha, alpha, beta: case ignored, the tie kept
        {{Key::energy}, {4, 1, 2, 3}},
        {{Key::cpu, true}, {4, 1, 3, 2}},  // reversed: NaN first, the tie still kept
        {{Key::name, true}, {4, 2, 1, 3}},
    };
    const QtSortKeys keys;
    for (const auto& [order, expected] : cases) {
        EXPECT_EQ(test::each(ordered(incoming, order, &keys), &ProcStats::pid), expected) << int(order.key) << order.reversed;
    }
}

TEST(QtSortKeysTest, NamesSortByLetterWhateverTheirCaseAndAccents) {
    const std::vector<std::string> cases[][2] = {
        {{"Zeta", "\u00C9mile", "emile", "\u00C1baco", "beta"}, {"\u00C1baco", "beta", "emile", "\u00C9mile", "Zeta"}},
        {{"\u03A9\u03BC\u03AD\u03B3\u03B1", "\u03AC\u03BB\u03C6\u03B1", "\u0392\u03AE\u03C4\u03B1"},
         {"\u03AC\u03BB\u03C6\u03B1", "\u0392\u03AE\u03C4\u03B1", "\u03A9\u03BC\u03AD\u03B3\u03B1"}},
        {{"\u042F\u043D\u0434\u0435\u043A\u0441", "\u0451\u043B\u043A\u0430", "\u0401\u0436", "\u0410\u0440\u0431\u0443\u0437"},
         {"\u0410\u0440\u0431\u0443\u0437", "\u0401\u0436", "\u0451\u043B\u043A\u0430", "\u042F\u043D\u0434\u0435\u043A\u0441"}},
    };
    const QtSortKeys keys;
    for (const auto& [incoming, expected] : cases) {
        const auto processes = test::each(incoming, [](const std::string& name) { return proc(1, name.c_str(), 0, 0, 0); });
        EXPECT_EQ(test::each(ordered(processes, {Key::name}, &keys), &ProcStats::name), expected);
    }
}

}  // namespace
}  // namespace corvelle
