#pragma once

#include <QWidget>

#include <functional>

namespace corvelle {

// A top-level window of the shell that tells its owner when it is about to close. Closing only
// hides it; the owner decides when it goes away.
class OwnedWindow : public QWidget {
public:
    OwnedWindow(Qt::WindowFlags flags, std::function<void(OwnedWindow*)> willClose);

    // Shows the window (restored if it was minimised), raises it and gives it the keyboard.
    void bringToFront();
    // Escape closes the window, as it does a panel.
    void setClosesOnEscape(bool closes) { closesOnEscape_ = closes; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    std::function<void(OwnedWindow*)> willClose_;
    bool closesOnEscape_ = false;
};

}  // namespace corvelle
