#pragma once

#include "audio/audio_backends.h"
#include "audio/sim_backend.h"
#include "audio/sim_clock.h"

namespace ondrix {

/// A simulated sound system that the engine uses for the lifetime of the object: a clock, the simulated
/// devices on it, and the engine's choice of them.
class CSimSession {
public:
    /// Paces the devices by a clock of the mode; capture keeps what the outputs play.
    CSimSession(CSimClock::Mode mode, bool capture) : clock(mode), backend(clock), m_scope(backend) {
        backend.SetCapture(capture);
    }
    CSimSession(const CSimSession&) = delete;
    CSimSession& operator=(const CSimSession&) = delete;

    CSimClock clock;
    CSimAudioBackend backend;

private:
    ScopedAudioBackend m_scope;
};

} // namespace ondrix
