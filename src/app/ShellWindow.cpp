#include "app/ShellWindow.h"

#include <QCloseEvent>
#include <QKeyEvent>

namespace corvelle {

ShellWindow::ShellWindow(Qt::WindowFlags flags, std::function<void(ShellWindow*)> willClose)
    : QWidget(nullptr, flags), willClose_(std::move(willClose)) {}

void ShellWindow::bringToFront() {
    if (isMinimized()) setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

void ShellWindow::closeEvent(QCloseEvent* event) {
    if (willClose_) willClose_(this);
    event->accept();
}

void ShellWindow::keyPressEvent(QKeyEvent* event) {
    if (closesOnEscape_ && event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

}  // namespace corvelle
