#pragma once

#include "app/status/StatusItem.h"

#include <QWidget>

#include <memory>

class QLabel;
class QPropertyAnimation;

namespace corvelle {

class SwayWindowPlacer;

// The status item on a desktop without a tray: a small frameless window of a fixed size at the
// right corner of the screen by the bar (top-right, or bottom-right under a bottom bar), showing
// the battery picture and the live title. It stays below the other windows, so that it never
// covers their controls. Under sway, `swayPlacer` puts it there, floating on every workspace.
class StatusWindow : public QWidget, public StatusItem {
public:
    explicit StatusWindow(std::shared_ptr<SwayWindowPlacer> swayPlacer = nullptr);

    void setBatteryIcon(const BatteryIcon& icon) override;
    void setPlaceholderIcon(const QString& accessibleDescription) override;
    void setTitle(const MenuBarTitle& title) override;
    void fadeTitle() override;
    std::optional<QRect> itemGeometry() const override;
    void showMenu(QMenu* menu) override;
    void showItem() override;

    QString titleText() const;

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // Fits the window to its content and keeps it in its corner as its width changes.
    void place();
    // Under sway, puts the shown window in its corner, which sway forgets whenever the size changes.
    void placeUnderSway();
    int imageHeight() const;

    QLabel* icon_;
    QLabel* title_;
    QPropertyAnimation* fade_;
    std::shared_ptr<SwayWindowPlacer> swayPlacer_;
    // The size sway last placed: sway centres the window again whenever its size changes.
    QSize placedSize_;
};

}  // namespace corvelle
