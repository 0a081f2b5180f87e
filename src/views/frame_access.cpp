#include "views/frame_access.h"

#include "resources/command_ids.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace ondrix {

namespace {

/// The menu bar's menu that holds a command, or null.
QMenu* MenuHolding(QMenuBar* bar, uint32_t id) {
    for (QAction* top : bar->actions()) {
        QMenu* menu = top->menu();
        if (!menu) {
            continue;
        }
        for (QAction* item : menu->actions()) {
            if (item->data().toUInt() == id) {
                return menu;
            }
        }
    }
    return nullptr;
}

} // namespace

bool SendWindowCommand(QWidget* from, uint32_t id) {
    for (QAction* action : from->window()->actions()) {
        if (action->data().toUInt() == id) {
            action->trigger();
            return true;
        }
    }
    return false;
}

void ShowEditMenu(QWidget* from, const QPoint& globalPos) {
    auto* window = qobject_cast<QMainWindow*>(from->window());
    if (!window) {
        return;
    }
    // the Edit menu is the one that holds "&Delete"
    if (QMenu* menu = MenuHolding(window->menuBar(), cmd::kEditDelete)) {
        menu->popup(globalPos);
    }
}

} // namespace ondrix
