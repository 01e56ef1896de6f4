#include "present/SectionDropDelegate.h"

#include <algorithm>

namespace corvelle {

void SectionDropDelegate::dragStarted(const std::string& item) {
    if (std::find(items_.begin(), items_.end(), item) != items_.end()) dragged_ = item;
}

bool SectionDropDelegate::dropEntered(const std::string& target) {
    if (!dragged_ || *dragged_ == target) return false;
    const auto from = std::find(items_.begin(), items_.end(), *dragged_);
    const auto to = std::find(items_.begin(), items_.end(), target);
    if (from == items_.end() || to == items_.end()) return false;
    hovered_ = target;
    // Moving forward the dragged item lands after the target, moving back before it.
    if (to > from) {
        std::rotate(from, from + 1, to + 1);
    } else {
        std::rotate(to, from, from + 1);
    }
    return true;
}

void SectionDropDelegate::dropExited(const std::string& target) {
    if (hovered_ == target) hovered_.reset();
}

bool SectionDropDelegate::dropPerformed() {
    const bool dragging = dragged_.has_value();
    dragged_.reset();
    hovered_.reset();
    return dragging;
}

}  // namespace corvelle
