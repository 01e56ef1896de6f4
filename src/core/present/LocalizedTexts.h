#pragma once

#include <functional>
#include <vector>

namespace corvelle {

// The texts of a view that follow the language setting: each one is a setter that shows its
// text in the current language, run again whenever the language has changed.
class LocalizedTexts {
public:
    void add(std::function<void()> show) { texts_.push_back(std::move(show)); }
    // Runs every setter when the language differs from the one last shown.
    void update();

private:
    std::vector<std::function<void()>> texts_;
    int language_ = -1;
};

}  // namespace corvelle
