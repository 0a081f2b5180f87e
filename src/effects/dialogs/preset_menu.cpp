#include "effects/dialogs/preset_menu.h"

#include "effects/effect_presets.h"
#include "resources/ui/qt_strings.h"

#include <QAction>
#include <QMenu>

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
    menu.exec(globalPos);
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
