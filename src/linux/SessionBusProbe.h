#pragma once

#include <chrono>
#include <string>

namespace corvelle::SessionBusProbe {

// What the session bus did when asked to let us in.
enum class Outcome {
    answers,   // it took us in (or answered at all: it is alive)
    absent,    // nothing listens at its address: the bus library gives up at once as well
    silent,    // it took the connection and then did not answer in time
    unprobed,  // an address of a kind not probed here (not a local socket): taken as it is
};

// The session bus's address as the bus library finds it: $DBUS_SESSION_BUS_ADDRESS, else the
// socket "bus" in $XDG_RUNTIME_DIR; empty when neither is set.
std::string address();

// Connects to the first local socket of `address` that takes the connection, as the bus library
// does, authenticates as this user and says Hello, and waits at most `timeout` for all of it.
// A wedged bus, or a stale address where something else listens, would otherwise hold a
// program that connects to it for ever.
Outcome probe(const std::string& address, std::chrono::milliseconds timeout);

}  // namespace corvelle::SessionBusProbe
