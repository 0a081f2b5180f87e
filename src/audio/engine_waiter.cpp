#include "audio/engine_waiter.h"

#include "store/sample_store.h"

namespace ondrix {

void CEngineWaiter::PostAudioMessage(const AudioMessage& message) {
    // Notified under the lock: a waiter that wakes may destroy the waiter once the lock is free.
    std::lock_guard lock(m_mutex);
    m_messages.push_back(message);
    m_arrived.notify_all();
}

std::vector<AudioMessage> CEngineWaiter::Messages() {
    std::lock_guard lock(m_mutex);
    return m_messages;
}

int CEngineWaiter::CountLocked(uint32_t message) const {
    int count = 0;
    for (const AudioMessage& m : m_messages) {
        count += m.message == message ? 1 : 0;
    }
    return count;
}

int CEngineWaiter::Count(uint32_t message) {
    std::lock_guard lock(m_mutex);
    return CountLocked(message);
}

AudioMessage CEngineWaiter::Last(uint32_t message) {
    std::lock_guard lock(m_mutex);
    for (auto m = m_messages.rbegin(); m != m_messages.rend(); ++m) {
        if (m->message == message) {
            return *m;
        }
    }
    return AudioMessage{};
}

bool CEngineWaiter::WaitFor(uint32_t message, int count, std::chrono::milliseconds timeout) {
    std::unique_lock lock(m_mutex);
    return m_arrived.wait_for(lock, timeout, [&] { return CountLocked(message) >= count; });
}

AudioMessage CEngineWaiter::Follow(CSampleStore& store, uint32_t stopMessage,
                                   std::chrono::milliseconds interval, const std::function<bool()>& tick) {
    // The run's stop message is the one that matches its start message: a short run may already have
    // ended, its stop message posted, before this call.
    const uint32_t startMessage = stopMessage == WM_PLAYSTOPPED ? WM_PLAYSTARTED : WM_RECORDSTARTED;
    const int runs = Count(startMessage);
    bool stopping = false;
    while (!WaitFor(stopMessage, runs, interval)) {
        if (!tick() && !stopping) {
            stopping = true;
            store.StopAudio();
        }
    }
    return Last(stopMessage);
}

} // namespace ondrix
