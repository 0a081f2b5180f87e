#include "app/focus_return.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace ondrix {

CFocusReturn::CFocusReturn(QWidget* mainWindow) : QObject(mainWindow), m_mainWindow(mainWindow) {
    qApp->installEventFilter(this);
}

bool CFocusReturn::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Hide && watched->isWidgetType()) {
        const auto* widget = static_cast<QWidget*>(watched);
        if (widget->isWindow() && widget->isModal() && widget != m_mainWindow) {
            // after the hide has run its course, when the activation has settled
            QTimer::singleShot(0, this, &CFocusReturn::ReturnFocus);
        }
    }
    return false;
}

void CFocusReturn::ReturnFocus() {
    if (QApplication::activeWindow()) {
        return; // the window manager (or the user) has placed it already
    }
    QWidget* target = QApplication::activeModalWidget();
    if (!target) {
        target = m_mainWindow;
    }
    if (target->isVisible() && !target->isMinimized()) {
        target->activateWindow();
    }
}

} // namespace ondrix
