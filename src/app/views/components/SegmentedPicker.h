#pragma once

#include <QFrame>

#include <functional>
#include <string>
#include <vector>

class QPushButton;

namespace corvelle {

// A row of exclusive text segments on a faint track, the selected one on an accent tint. Each
// segment is a button of its own (keyboard focus, accessibility name = its label).
class SegmentedPicker : public QFrame {
public:
    using Label = std::function<std::string()>;

    // `onSelect` is called with the index of a segment the user picks.
    SegmentedPicker(std::vector<Label> labels, std::function<void(int)> onSelect, QWidget* parent = nullptr);

    int selected() const { return selected_; }
    // Selects without calling onSelect.
    void setSelected(int index);
    void retranslate();
    const std::vector<QPushButton*>& segments() const { return segments_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void restyle();

    std::vector<Label> labels_;
    std::vector<QPushButton*> segments_;
    int selected_ = 0;
};

}  // namespace corvelle
