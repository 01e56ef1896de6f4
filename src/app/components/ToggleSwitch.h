#pragma once

#include <QAbstractButton>

namespace corvelle {

// An on/off switch: a rounded track, accent-coloured while on, with a round knob. Clicks and
// the space bar flip it; the owner sets its accessible name to the label beside it.
class ToggleSwitch : public QAbstractButton {
    Q_OBJECT

public:
    explicit ToggleSwitch(QWidget* parent = nullptr);

    QSize sizeHint() const override { return {38, 22}; }

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace corvelle
