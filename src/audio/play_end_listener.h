#pragma once

#include <cstdint>

namespace ondrix {

/// Where an accompaniment plays its sound: an output device of the current sound system (the
/// synchronous-playback device) and the transfer buffer size to use on it.
struct AccompanimentOutput {
    int device = -1;             ///< output device number; -1 is the preferred device
    uint32_t bufferSize = 65536; ///< bytes per transfer buffer
};

/// Receives the end of an accompaniment's play: played to its end, cut off by a new play, or failed.
/// It runs on the accompaniment's own worker and must only post (never call the device back).
class IPlayEndListener {
public:
    virtual ~IPlayEndListener() = default;
    /// The play has ended; failed when the device broke off.
    virtual void OnPlayEnded(bool failed) noexcept = 0;
};

} // namespace ondrix
