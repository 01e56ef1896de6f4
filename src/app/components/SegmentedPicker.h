#pragma once

#include <QFrame>

#include <functional>
#include <string>
#include <vector>

class QPushButton;

namespace corvelle {

// A row of equal segments, one of them selected, on a faint tint. A click selects the segment
// and reports its index; the owner sets the accessible name to the picker's label.
class SegmentedPicker : public QFrame {
    Q_OBJECT

public:
    explicit SegmentedPicker(std::function<void(int)> onSelect, QWidget* parent = nullptr);

    // Builds the segments on the first call; later calls only rename them.
    void setLabels(const std::vector<std::string>& labels);
    // -1 selects none (a stored value that is not among the choices).
    void setSelected(int index);
    int selected() const { return selected_; }
    const std::vector<QPushButton*>& segments() const { return segments_; }

private:
    std::function<void(int)> onSelect_;
    std::vector<QPushButton*> segments_;
    int selected_ = -1;
};

}  // namespace corvelle
