#pragma once

namespace corvelle {

// Seconds between 1970-01-01T00:00:00Z and 2001-01-01T00:00:00Z.
inline constexpr double kReferenceDateOffset = 978307200.0;

// Time as the logic sees it. Real clocks live in src/linux; tests use a fake.
class Clock {
public:
    virtual ~Clock() = default;
    // Wall-clock time in seconds since 1970-01-01T00:00:00Z.
    virtual double now() const = 0;
    // Seconds since boot, counting suspended time; never goes backwards.
    virtual double uptime() const = 0;
    // Wall-clock time in seconds since 2001-01-01T00:00:00Z.
    double absoluteTime() const { return now() - kReferenceDateOffset; }
};

}  // namespace corvelle
