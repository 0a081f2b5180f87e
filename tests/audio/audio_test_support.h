#pragma once

#include "audio/engine_waiter.h"
#include "audio/sim_session.h"
#include "fileformat/wave_builder.h"
#include "store/sample_store.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <vector>

namespace ondrix::test {

/// Waits until the condition holds; false after a generous limit (a guard against hangs, not a timing test).
bool WaitUntil(const std::function<bool()>& condition,
               std::chrono::milliseconds limit = std::chrono::milliseconds(20000));

/// A simulated sound system on a manual clock, used by the engine for the lifetime of the object.
struct SimRig : CSimSession {
    SimRig() : CSimSession(CSimClock::Mode::Manual, true) {}
    /// Waits until the open output holds `count` buffers (the worker has refilled).
    bool WaitOutputQueued(std::size_t count);
    /// Waits until the open input holds `count` buffers.
    bool WaitInputQueued(std::size_t count);
    /// Advances the clock by steps, letting the worker catch up after each, until the run posts its stop
    /// message; false when it did not end within a generous number of steps.
    bool RunToStop(CEngineWaiter& waiter, uint32_t stopMessage, uint32_t stepFrames, uint32_t rate);
};

/// Bytes as little-endian 16-bit samples (Samples16 of the wave builder goes the other way).
std::vector<int16_t> Decode16(const std::vector<uint8_t>& bytes);
/// A store in memory holding interleaved 16-bit samples (frames x tracks).
void MakeStore16(CSampleStore& store, uint32_t tracks, uint32_t rate, bool stereo,
                 const std::vector<int16_t>& samples);
/// A store in memory holding 8-bit samples.
void MakeStore8(CSampleStore& store, uint32_t tracks, uint32_t rate, bool stereo,
                const std::vector<uint8_t>& samples);

} // namespace ondrix::test
