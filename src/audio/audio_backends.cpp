#include "audio/audio_backends.h"

#include "audio/sim_backend.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <mutex>
#include <utility>

namespace ondrix {

namespace {

struct Registered {
    IAudioBackend* backend;
    int priority;
};

struct Registry {
    std::mutex mutex;
    std::vector<Registered> backends;
    IAudioBackend* chosen = nullptr;
};

Registry& TheRegistry() {
    static Registry registry;
    return registry;
}

/// The fallback when no sound system is there: a simulated device in real time that keeps nothing.
IAudioBackend& FallbackBackend() {
    static CSimClock clock(CSimClock::Mode::RealTime);
    static CSimAudioBackend backend(clock);
    return backend;
}

} // namespace

void RegisterAudioBackend(IAudioBackend* backend, int priority) {
    Registry& registry = TheRegistry();
    std::lock_guard lock(registry.mutex);
    registry.backends.push_back({backend, priority});
    std::stable_sort(registry.backends.begin(), registry.backends.end(),
                     [](const Registered& a, const Registered& b) { return a.priority > b.priority; });
}

IAudioBackend& CurrentAudioBackend() {
    std::vector<IAudioBackend*> candidates;
    {
        Registry& registry = TheRegistry();
        std::lock_guard lock(registry.mutex);
        if (registry.chosen) {
            return *registry.chosen;
        }
        for (const Registered& entry : registry.backends) {
            candidates.push_back(entry.backend);
        }
    }
    for (IAudioBackend* backend : candidates) {
        if (backend->IsAvailable()) {
            return *backend;
        }
    }
    return FallbackBackend();
}

IAudioBackend* UseAudioBackend(IAudioBackend* backend) {
    Registry& registry = TheRegistry();
    std::lock_guard lock(registry.mutex);
    return std::exchange(registry.chosen, backend);
}

std::vector<IAudioBackend*> RegisteredAudioBackends() {
    Registry& registry = TheRegistry();
    std::lock_guard lock(registry.mutex);
    std::vector<IAudioBackend*> backends;
    for (const Registered& entry : registry.backends) {
        backends.push_back(entry.backend);
    }
    return backends;
}

IAudioBackend* FindAudioBackend(const std::string& name) {
    for (IAudioBackend* backend : RegisteredAudioBackends()) {
        if (backend->Name() == name) {
            return backend;
        }
    }
    return nullptr;
}

bool ParseAudioDevice(const std::string& text, int& number, bool& simulated) {
    simulated = text == "sim";
    if (simulated) {
        number = -1;
        return true;
    }
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || errno != 0 || value < -1 || value > 9999) {
        return false;
    }
    number = int(value);
    return true;
}

} // namespace ondrix
