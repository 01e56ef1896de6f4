#pragma once

#include <QWidget>

#include <functional>

namespace corvelle {

// A top-level window of the shell that tells its owner when it is about to close. Closing only
// hides it; the owner decides when it goes away.
class ShellWindow : public QWidget {
public:
    ShellWindow(Qt::WindowFlags flags, std::function<void(ShellWindow*)> willClose);

    // Shows the window, raises it and gives it the keyboard.
    void bringToFront();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    std::function<void(ShellWindow*)> willClose_;
};

}  // namespace corvelle
