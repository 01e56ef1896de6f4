#pragma once

#include <optional>
#include <string>
#include <vector>

namespace corvelle {

// The state of dragging one section of a list onto the others, by section identity. The list is
// reordered live as the pointer enters other sections; nothing here draws.
class SectionDropDelegate {
public:
    explicit SectionDropDelegate(std::vector<std::string> items) : items_(std::move(items)) {}

    const std::vector<std::string>& items() const { return items_; }
    const std::optional<std::string>& draggedItem() const { return dragged_; }
    const std::optional<std::string>& hoveredItem() const { return hovered_; }

    // A drag of `item` begins; an item not in the list is ignored.
    void dragStarted(const std::string& item);
    // The pointer enters `target`: the dragged item takes the target's place and the target
    // moves one step toward where the dragged item was. True when the order changed.
    bool dropEntered(const std::string& target);
    void dropExited(const std::string& target);
    // The drag ends; true when a drag was under way, and the order is then the one to save.
    bool dropPerformed();

private:
    std::vector<std::string> items_;
    std::optional<std::string> dragged_;
    std::optional<std::string> hovered_;
};

}  // namespace corvelle
