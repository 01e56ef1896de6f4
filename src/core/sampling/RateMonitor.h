#pragma once

#include "platform/Clock.h"
#include "sampling/RateCounter.h"

#include <memory>
#include <optional>

namespace corvelle {

// Per-second rates of a source's two cumulative byte counters since the previous call.
// `Source::read()` gives an optional two-member totals struct; `Rates` is a two-member struct
// of the rates in the same order.
template <typename Source, typename Rates>
class RateMonitor {
public:
    using Snapshot = Rates;

    // A null source means no reading, ever.
    RateMonitor(std::unique_ptr<Source> source, std::shared_ptr<const Clock> clock)
        : source_(std::move(source)), clock_(std::move(clock)) {}

    // Absent on the first call, when no time has passed and when the counters are unreadable.
    std::optional<Snapshot> sample() {
        // An unreadable counter gives no reading and keeps the baseline, so the next good read
        // is not measured against zero.
        auto totals = source_ ? source_->read() : std::nullopt;
        if (!totals) return std::nullopt;
        const auto [first, second] = *totals;
        const auto rates = counter_.update(first, second, clock_->uptime());
        if (!rates) return std::nullopt;
        return Snapshot{rates->first, rates->second};
    }

private:
    std::unique_ptr<Source> source_;
    std::shared_ptr<const Clock> clock_;
    RateCounter counter_;
};

}  // namespace corvelle
