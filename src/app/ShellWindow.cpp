#include "app/ShellWindow.h"

#include <QCloseEvent>

namespace corvelle {

ShellWindow::ShellWindow(Qt::WindowFlags flags, std::function<void(ShellWindow*)> willClose)
    : QWidget(nullptr, flags), willClose_(std::move(willClose)) {}

void ShellWindow::bringToFront() {
    show();
    raise();
    activateWindow();
}

void ShellWindow::closeEvent(QCloseEvent* event) {
    if (willClose_) willClose_(this);
    event->accept();
}

}  // namespace corvelle
