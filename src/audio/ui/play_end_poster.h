#pragma once

#include "audio/play_end_listener.h"

#include <QEvent>

class QObject;

namespace ondrix {

/// The event an accompaniment's end arrives as, numbered after the media notification it stands for.
inline constexpr QEvent::Type kPlayEndEvent = QEvent::Type(QEvent::User + 0x03B9);

/// Hears an accompaniment's end on the device's worker and posts it to a receiver on the user-interface
/// thread as a kPlayEndEvent. The receiver must stop the device (which waits for the worker) before the
/// poster goes.
class CPlayEndPoster final : public IPlayEndListener {
public:
    /// Posts to receiver.
    explicit CPlayEndPoster(QObject* receiver) : m_receiver(receiver) {}
    void OnPlayEnded(bool failed) noexcept override;

private:
    QObject* m_receiver;
};

} // namespace ondrix
