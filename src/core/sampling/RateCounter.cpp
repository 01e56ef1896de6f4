#include "sampling/RateCounter.h"

#include <cmath>

namespace corvelle {
namespace {

std::uint64_t rate(std::uint64_t now, std::uint64_t before, double seconds) {
    if (now < before) return 0;
    const double value = static_cast<double>(now - before) / seconds;
    // Truncation toward zero; a rate beyond 64 bits is no figure at all.
    return value < 1.8e19 ? static_cast<std::uint64_t>(value) : 0;
}

}  // namespace

std::optional<RateCounter::Rates> RateCounter::update(std::uint64_t first, std::uint64_t second, double now) {
    std::optional<Rates> result;
    const double elapsed = now - previousTimestamp_;
    if (previousTimestamp_ > 0 && elapsed > 0 && std::isfinite(elapsed)) {
        result = Rates{rate(first, previousFirst_, elapsed), rate(second, previousSecond_, elapsed)};
    }
    previousFirst_ = first;
    previousSecond_ = second;
    previousTimestamp_ = now;
    return result;
}

}  // namespace corvelle
