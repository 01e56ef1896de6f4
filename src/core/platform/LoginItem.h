#pragma once

namespace corvelle {

// The system's registration of Corvelle as a program started at login.
class LoginItem {
public:
    virtual ~LoginItem() = default;
    virtual bool isEnabled() const = 0;
    // Each returns true on success.
    virtual bool registerItem() = 0;
    virtual bool unregisterItem() = 0;
};

}  // namespace corvelle
