#include "sampling/ParallelFor.h"

#include <thread>
#include <vector>

namespace corvelle {

void parallelFor(int n, const std::function<void(int)>& fn) {
    if (n <= 0) return;
    std::vector<std::jthread> workers;
    workers.reserve(static_cast<size_t>(n - 1));
    for (int i = 1; i < n; ++i) workers.emplace_back([&fn, i] { fn(i); });
    fn(0);
}  // the jthreads join here

}  // namespace corvelle
