#include "controls/ui/frame_shortcuts_first.h"

#include <QEvent>
#include <QKeyEvent>
#include <QObject>
#include <QWidget>

namespace ondrix {

namespace {

/// Declines the shortcut override for keys held with Ctrl or Alt, so that the shortcut runs.
class CFrameShortcutsFirst final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::ShortcutOverride) {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) {
                event->ignore();
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

void LetFrameShortcutsWin(QWidget* field) {
    field->installEventFilter(new CFrameShortcutsFirst(field));
}

} // namespace ondrix
