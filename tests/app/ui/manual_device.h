#pragma once

#include "app/ui/editor_qt_support.h"
#include "audio/audio_backends.h"
#include "audio/sim_backend.h"
#include "audio/sim_clock.h"

#include <chrono>
#include <functional>
#include <thread>

namespace ondrix::test {

/// A simulated sound device that plays only as far as the test moves its clock. The engine's worker
/// runs on its own thread, so each step first lets it queue a buffer: a step taken before that would
/// play nothing on a loaded machine.
struct ManualDevice {
    /// Moves the clock by frames at rate once a buffer is queued (or ended() says the run is over).
    void Advance(
        uint32_t frames, uint32_t rate, const std::function<bool()>& ended = [] { return false; }) {
        for (int i = 0; i < 5000 && backend.OutputQueued() == 0 && !ended(); ++i) {
            ProcessPendingEvents();
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        clock.AdvanceFrames(frames, rate);
        ProcessPendingEvents();
    }

    CSimClock clock{CSimClock::Mode::Manual};
    CSimAudioBackend backend{clock};
    ScopedAudioBackend useBackend{backend};
};

} // namespace ondrix::test
