#include "effects/dialogs/preset_menu.h"

#include "effects/effect_presets.h"
#include "resources/ui/qt_strings.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QStatusTipEvent>

namespace ondrix {

uint32_t ShowPresetMenu(PresetMenu kind, const QPoint& globalPos, QWidget* owner) {
    QMenu menu(owner);
    menu.setObjectName(QStringLiteral("PresetMenu"));
    uint32_t chosen = 0;
    for (const PresetMenuItem& item : PresetMenuItems(kind)) {
        QAction* action = menu.addAction(LoadQString(item.labelId));
        action->setStatusTip(LoadQString(item.commandId));
        action->setData(item.commandId);
        // the choice is taken from the signal, so a keyboard choice, a click and a triggered action agree
        QObject::connect(action, &QAction::triggered, &menu, [&chosen, id = item.commandId] { chosen = id; });
    }
    // A pop-up menu is a window of its own, so its items' prompts would stop at it: hand them to the
    // owner, whose status bar shows them, and clear them when the menu closes.
    const auto showPrompt = [owner](const QString& prompt) {
        if (owner) {
            QStatusTipEvent tip(prompt);
            QApplication::sendEvent(owner, &tip);
        }
    };
    QObject::connect(&menu, &QMenu::hovered, &menu,
                     [showPrompt](QAction* action) { showPrompt(action->statusTip()); });
    menu.exec(globalPos);
    showPrompt(QString());
    return chosen;
}

int PresetOfCommand(uint32_t commandId) noexcept {
    for (PresetMenu kind : {PresetMenu::Direction, PresetMenu::Strength, PresetMenu::Speed}) {
        for (const PresetMenuItem& item : PresetMenuItems(kind)) {
            if (item.commandId == commandId) {
                return item.preset;
            }
        }
    }
    return -1;
}

} // namespace ondrix
