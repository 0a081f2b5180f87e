#include "audio/audio_engine.h"
#include "store/sample_store.h"

namespace ondrix {

// The store's side of the audio engine: every store carries one engine, made when first needed.

void AudioEngineDeleter::operator()(CAudioEngine* engine) const noexcept {
    delete engine;
}

CAudioEngine& CSampleStore::Engine() const {
    if (!m_engine) {
        m_engine.reset(new CAudioEngine(const_cast<CSampleStore&>(*this)));
    }
    return *m_engine;
}

bool CSampleStore::StartPlayback(int device, uint32_t bufferSize, int64_t start, int64_t end, bool loop,
                                 IEngineListener* listener) {
    return HasData() && Engine().StartPlayback(device, bufferSize, start, end, loop, listener);
}

bool CSampleStore::StartRecording(int device, uint32_t bufferSize, IEngineListener* listener) {
    return HasData() && Engine().StartRecording(device, bufferSize, listener);
}

void CSampleStore::StopAudio() noexcept {
    if (HasData() && m_engine) {
        m_engine->StopAudio();
    }
}

void CSampleStore::TogglePause() {
    if (HasData() && m_engine) {
        m_engine->TogglePause();
    }
}

void CSampleStore::MonitorAudioInput() {
    if (HasData() && m_engine) {
        m_engine->MonitorInput();
    }
}

uint32_t CSampleStore::GetAudioState() const noexcept {
    return HasData() && m_engine ? m_engine->GetState() : 0;
}

uint32_t CSampleStore::GetAudioPosition() const {
    return m_engine ? m_engine->GetPosition() : 0;
}

void CSampleStore::GetAudioLevels(uint32_t& left, uint32_t& right) const {
    left = 0;
    right = 0;
    if (m_engine) {
        m_engine->GetLevels(left, right);
    }
}

void CSampleStore::RecomputeGains() {
    Engine().RecomputeGains();
}

uint32_t CSampleStore::MixBlock(void* out, const void* in, uint32_t inBytes) const {
    return HasData() ? Engine().MixBlock(out, in, inBytes) : 0;
}

void CSampleStore::StopAudioForRelease() noexcept {
    if (m_engine) {
        m_engine->StopAndWait();
    }
}

} // namespace ondrix
