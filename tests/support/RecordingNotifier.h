#pragma once

#include "platform/Notifier.h"

#include <string>
#include <vector>

namespace corvelle::test {

// Keeps every notification it is asked to post.
class RecordingNotifier : public Notifier {
public:
    struct Posted {
        std::string identifier;
        std::string title;
        std::string body;
        bool playSound = false;
        bool operator==(const Posted&) const = default;
    };
    std::vector<Posted> posted;

    void requestPermission() override {}
    void post(const std::string& identifier, const std::string& title, const std::string& body,
              bool playSound) override {
        posted.push_back({identifier, title, body, playSound});
    }
};

}  // namespace corvelle::test
