#pragma once

#include <cstdint>
#include <functional>
#include <optional>

namespace corvelle {

class EventLoop;

// The system's coarse thermal state.
enum class SystemThermalState { nominal, fair, serious, critical };

// The pressure levels a watch reports, valued by their state numbers.
enum class ThermalPressure : std::uint64_t { nominal = 0, moderate = 33, heavy = 50, trapping = 70, sleeping = 90 };

// The machine's thermal condition: a coarse state read on demand, and a pressure level
// (0, 33, 50, 70 or 90) that can be watched for changes.
class ThermalSource {
public:
    virtual ~ThermalSource() = default;
    // False on a machine without anything to tell its thermal state by: the state is unknown.
    virtual bool hasSources() const { return true; }
    virtual SystemThermalState thermalState() = 0;
    // Starts watching the pressure level; onChange runs on the loop's thread after the level
    // changed. Returns a non-zero token, or 0 when there is nothing to watch.
    virtual int registerPressureWatch(EventLoop& loop, std::function<void()> onChange) = 0;
    // The current pressure level of a registration; absent for an unknown token.
    virtual std::optional<std::uint64_t> pressureState(int token) = 0;
    virtual void cancelPressureWatch(int token) = 0;
};

}  // namespace corvelle
