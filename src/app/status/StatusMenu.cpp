#include "app/status/StatusMenu.h"

#include "localization/LShell.h"

#include <QMenu>

namespace corvelle {
namespace {

void addRow(QMenu& menu, const std::string& title, const std::function<void()>& action, QKeySequence shortcut = {}) {
    QAction* row = menu.addAction(QString::fromStdString(title));
    row->setShortcut(shortcut);
    QObject::connect(row, &QAction::triggered, &menu, [action] {
        if (action) action();
    });
}

}  // namespace

QMenu* buildStatusMenu(const StatusMenuActions& actions) {
    auto* menu = new QMenu();
    addRow(*menu, L::menuSettings(), actions.openSettings, QKeySequence(Qt::CTRL | Qt::Key_Comma));
    addRow(*menu, L::menuCheckForUpdates(), actions.checkForUpdates);
    menu->addSeparator();
    addRow(*menu, L::menuQuit(), actions.quit, QKeySequence(Qt::CTRL | Qt::Key_Q));
    return menu;
}

}  // namespace corvelle
