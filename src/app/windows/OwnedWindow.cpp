#include "app/windows/OwnedWindow.h"

#include <QCloseEvent>
#include <QKeyEvent>

namespace corvelle {

OwnedWindow::OwnedWindow(Qt::WindowFlags flags, std::function<void(OwnedWindow*)> willClose)
    : QWidget(nullptr, flags), willClose_(std::move(willClose)) {}

void OwnedWindow::bringToFront() {
    if (isMinimized()) setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

void OwnedWindow::closeEvent(QCloseEvent* event) {
    if (willClose_) willClose_(this);
    event->accept();
}

void OwnedWindow::keyPressEvent(QKeyEvent* event) {
    if (closesOnEscape_ && event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

}  // namespace corvelle
