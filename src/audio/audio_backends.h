#pragma once

#include "audio/audio_device.h"

namespace ondrix {

/// Registers a sound system at start-up (the backends' own targets do this from a static object).
/// The engine prefers the available backend with the highest priority.
void RegisterAudioBackend(IAudioBackend* backend, int priority);

/// The sound system the engine opens devices on: the one chosen with UseAudioBackend, else the available
/// registered backend of the highest priority, else a simulated real-time backend that plays to nowhere.
IAudioBackend& CurrentAudioBackend();

/// Makes the engine use a backend (nullptr: choose automatically again); returns the previous choice.
IAudioBackend* UseAudioBackend(IAudioBackend* backend);

/// Every registered backend, highest priority first.
std::vector<IAudioBackend*> RegisteredAudioBackends();

/// The registered backend of a name ("alsa"), or nullptr.
IAudioBackend* FindAudioBackend(const std::string& name);

/// Reads a device as a user writes it: a number from -1 (the preferred device) or "sim" (a simulated
/// device); false when the text is neither.
bool ParseAudioDevice(const std::string& text, int& number, bool& simulated);

/// Uses a backend for the lifetime of the object (tests, the batch tool's simulated device).
class ScopedAudioBackend {
public:
    /// Chooses backend until destruction.
    explicit ScopedAudioBackend(IAudioBackend& backend) : m_previous(UseAudioBackend(&backend)) {}
    ~ScopedAudioBackend() { UseAudioBackend(m_previous); }
    ScopedAudioBackend(const ScopedAudioBackend&) = delete;
    ScopedAudioBackend& operator=(const ScopedAudioBackend&) = delete;

private:
    IAudioBackend* m_previous;
};

} // namespace ondrix
