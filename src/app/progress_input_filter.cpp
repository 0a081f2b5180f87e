#include "app/progress_input_filter.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>

namespace ondrix {

CProgressInputFilter::CProgressInputFilter(QLabel* abortPane) : m_abortPane(abortPane) {}

bool CProgressInputFilter::TakeAbortRequest() noexcept {
    const bool request = m_request;
    m_request = false;
    return request;
}

bool CProgressInputFilter::IsHeldBack(const QEvent* event) noexcept {
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::NonClientAreaMouseButtonRelease:
    case QEvent::NonClientAreaMouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
    case QEvent::Close:
    case QEvent::FileOpen:
        return true;
    default:
        return false;
    }
}

bool CProgressInputFilter::eventFilter(QObject* watched, QEvent* event) {
    if (!IsHeldBack(event)) {
        return QObject::eventFilter(watched, event);
    }
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        m_request = true;
    } else if (event->type() == QEvent::MouseButtonPress) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton && IsOnAbortPane(mouse->globalPosition())) {
            m_request = true;
        }
    }
    return true;
}

bool CProgressInputFilter::IsOnAbortPane(const QPointF& globalPos) const {
    if (!m_abortPane || !m_abortPane->isVisible()) {
        return false;
    }
    return m_abortPane->rect().contains(m_abortPane->mapFromGlobal(globalPos.toPoint()));
}

} // namespace ondrix
