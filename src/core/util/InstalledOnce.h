#pragma once

#include <cstdio>
#include <cstdlib>
#include <utility>

namespace corvelle {

// Process-wide state that main installs once, before its first use. Using it before then, or
// installing it a second time, ends the program with a message naming it: never silently.
template <typename T>
class InstalledOnce {
public:
    explicit InstalledOnce(const char* name) : name_(name) {}

    void install(T value) {
        if (installed_) fail("installed twice");
        value_ = std::move(value);
        installed_ = true;
    }

    const T& get() const {
        if (!installed_) fail("used before it was installed");
        return value_;
    }

private:
    [[noreturn]] void fail(const char* what) const {
        std::fprintf(stderr, "corvelle: %s %s\n", name_, what);
        std::abort();
    }

    const char* name_;
    T value_{};
    bool installed_ = false;
};

}  // namespace corvelle
