#pragma once

#include "audio/engine_listener.h"

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <vector>

namespace ondrix {

class CSampleStore;

/// An engine listener for programs without an event loop (the batch tool, tests): keeps every message
/// and lets the caller wait for one.
class CEngineWaiter final : public IEngineListener {
public:
    void PostAudioMessage(const AudioMessage& message) override;

    /// A copy of the messages so far, in arrival order.
    std::vector<AudioMessage> Messages();
    /// How many messages of a kind arrived.
    int Count(uint32_t message);
    /// The last message of a kind (an empty message when none arrived).
    AudioMessage Last(uint32_t message);
    /// Waits up to timeout until `count` messages of a kind arrived; false when they did not.
    bool WaitFor(uint32_t message, int count = 1,
                 std::chrono::milliseconds timeout = std::chrono::milliseconds(20000));

    /// Follows the run of store, started with this waiter, until its stop message arrives (at once when it
    /// has already come): calls tick every interval, and asks the run to stop once tick returns false.
    /// Returns the stop message.
    AudioMessage Follow(CSampleStore& store, uint32_t stopMessage, std::chrono::milliseconds interval,
                        const std::function<bool()>& tick);

private:
    int CountLocked(uint32_t message) const;

    std::mutex m_mutex;
    std::condition_variable m_arrived;
    std::vector<AudioMessage> m_messages;
};

} // namespace ondrix
