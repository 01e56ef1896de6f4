#pragma once

#include "util/Signal.h"

#include <functional>
#include <string>
#include <vector>

namespace corvelle {

// The system's power modes, by the power profiles daemon's names ("power-saver", "balanced",
// "performance"). Reads answer from what the daemon last told; nothing here blocks.
class PowerProfiles {
public:
    virtual ~PowerProfiles() = default;
    // The profiles the daemon offers, in its order; empty without a daemon (or before it answered).
    virtual std::vector<std::string> profiles() const = 0;
    // The active profile; empty when unknown.
    virtual std::string activeProfile() const = 0;
    // Asks the daemon to switch; the change shows through onChange once the daemon made it.
    virtual void setActiveProfile(const std::string& profile) = 0;
    // Called on the event loop whenever the offered or active profiles changed, wherever the
    // change was made.
    [[nodiscard]] virtual Subscription onChange(std::function<void()> handler) = 0;
};

}  // namespace corvelle
