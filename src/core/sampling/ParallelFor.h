#pragma once

#include <functional>

namespace corvelle {

// Runs fn(0) ... fn(n - 1) concurrently and returns when all have finished. Iteration 0
// runs on the calling thread, the others on parked worker threads that are started on first
// need and reused, so a tick does not pay for creating threads.
void parallelFor(int n, const std::function<void(int)>& fn);

}  // namespace corvelle
