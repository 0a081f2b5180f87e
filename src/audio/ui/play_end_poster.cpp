#include "audio/ui/play_end_poster.h"

#include <QCoreApplication>

namespace ondrix {

void CPlayEndPoster::OnPlayEnded(bool) noexcept {
    // postEvent is thread-safe; the result of the play is not looked at: any end stops what it ends
    QCoreApplication::postEvent(m_receiver, new QEvent(kPlayEndEvent));
}

} // namespace ondrix
