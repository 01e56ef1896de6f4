#pragma once

#include "app/status/StatusItem.h"

#include <QWidget>

class QLabel;
class QPropertyAnimation;

namespace corvelle {

// The status item on a desktop without a tray: a small frameless window that stays on top at
// the top-right corner of the screen, showing the battery picture and the live title.
class StatusWindow : public QWidget, public StatusItem {
public:
    StatusWindow();

    void setBatteryIcon(const BatteryIcon& icon) override;
    void setPlaceholderIcon(const QString& accessibleDescription) override;
    void setTitle(const MenuBarTitle& title) override;
    void fadeTitle() override;
    std::optional<QRect> itemGeometry() const override { return frameGeometry(); }
    void showMenu(QMenu* menu) override;
    void showItem() override;

    QString titleText() const;

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // Keeps the window's right edge on the screen's right edge as its width changes.
    void placeAtTopRight();
    int imageHeight() const;

    QLabel* icon_;
    QLabel* title_;
    QPropertyAnimation* fade_;
};

}  // namespace corvelle
