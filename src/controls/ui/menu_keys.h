#pragma once

#include <QKeyEvent>

namespace ondrix {

/// Whether a key opens a control's pop-up menu: the application key or Shift+F10.
inline bool IsMenuKey(const QKeyEvent* event) {
    return event->key() == Qt::Key_Menu ||
           (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier);
}

} // namespace ondrix
