#pragma once

#include "audio/audio_backends.h"
#include "audio/engine_listener.h"
#include "audio/sim_backend.h"
#include "store/sample_store.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <vector>

namespace ondrix::test {

/// Waits until the condition holds; false after a generous limit (a guard against hangs, not a timing test).
bool WaitUntil(const std::function<bool()>& condition,
               std::chrono::milliseconds limit = std::chrono::milliseconds(20000));

/// Records the engine's messages from any thread.
class RecordingListener final : public IEngineListener {
public:
    void PostAudioMessage(const AudioMessage& message) override;
    /// A copy of the messages so far.
    std::vector<AudioMessage> Messages();
    /// How many messages of a kind arrived.
    int Count(uint32_t message);
    /// Waits until `count` messages of a kind arrived; false after the guard limit.
    bool WaitFor(uint32_t message, int count = 1);

private:
    std::mutex m_mutex;
    std::condition_variable m_arrived;
    std::vector<AudioMessage> m_messages;
};

/// A simulated sound system on a manual clock, used by the engine for the lifetime of the object.
struct SimRig {
    CSimClock clock{CSimClock::Mode::Manual};
    CSimAudioBackend backend{clock};
    ScopedAudioBackend scope{backend};

    SimRig() { backend.SetCapture(true); }
    /// Waits until the open output holds `count` buffers (the worker has refilled).
    bool WaitOutputQueued(std::size_t count);
    /// Waits until the open input holds `count` buffers.
    bool WaitInputQueued(std::size_t count);
};

/// Little-endian 16-bit samples as bytes.
std::vector<uint8_t> Bytes16(const std::vector<int16_t>& samples);
/// Bytes as little-endian 16-bit samples.
std::vector<int16_t> Samples16(const std::vector<uint8_t>& bytes);
/// A store in memory holding interleaved 16-bit samples (frames x tracks).
void MakeStore16(CSampleStore& store, uint32_t tracks, uint32_t rate, bool stereo,
                 const std::vector<int16_t>& samples);
/// A store in memory holding 8-bit samples.
void MakeStore8(CSampleStore& store, uint32_t tracks, uint32_t rate, bool stereo,
                const std::vector<uint8_t>& samples);

} // namespace ondrix::test
