#include "app/status/StatusMenu.h"

#include "localization/LShell.h"

#include <QMenu>

namespace corvelle {
namespace {

void addRow(QMenu& menu, const std::string& title, const std::function<void()>& action) {
    QAction* row = menu.addAction(QString::fromStdString(title));
    QObject::connect(row, &QAction::triggered, &menu, [action] {
        if (action) action();
    });
}

}  // namespace

QMenu* buildStatusMenu(const StatusMenuActions& actions) {
    auto* menu = new QMenu();
    addRow(*menu, L::menuOpen(), actions.openPanel);
    menu->addSeparator();
    addRow(*menu, L::menuSettings(), actions.openSettings);
    addRow(*menu, L::menuCheckForUpdates(), actions.checkForUpdates);
    menu->addSeparator();
    addRow(*menu, L::menuQuit(), actions.quit);
    return menu;
}

}  // namespace corvelle
