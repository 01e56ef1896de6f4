#pragma once

#include <string>

namespace corvelle {

// Local desktop notifications. Failures are silent: a desktop without a notification
// service simply shows nothing.
class Notifier {
public:
    virtual ~Notifier() = default;
    virtual void requestPermission() = 0;
    virtual void post(const std::string& identifier, const std::string& title, const std::string& body,
                      bool playSound) = 0;
};

}  // namespace corvelle
