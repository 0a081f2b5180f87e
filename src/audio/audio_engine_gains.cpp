// The engine's gains: recomputed from the store's mixer on any thread, read by the worker for every
// buffer and by the mix-down.
#include "audio/audio_engine.h"

#include "store/sample_store.h"

namespace ondrix {

void CAudioEngine::RecomputeGains() noexcept {
    bool stereo = m_store.GetStereo();
    if (m_runKind.load() == uint32_t(RunKind::Playback)) {
        stereo = m_channels == 2; // a running playback keeps its output layout
    }
    const MixGains gains =
        ComputeMixGains(m_store.m_mixer, m_store.m_playOff.data(), m_store.m_tracks, stereo);
    for (int t = 0; t < kMaxTracks; ++t) {
        m_gainLeft[t].store(gains.left[t], std::memory_order_relaxed);
        m_gainRight[t].store(gains.right[t], std::memory_order_relaxed);
    }
    m_gainChannels.store(gains.channels, std::memory_order_relaxed);
    m_mixNeeded.store(gains.mixNeeded, std::memory_order_relaxed);
}

MixGains CAudioEngine::CurrentGains() const noexcept {
    MixGains gains;
    for (int t = 0; t < kMaxTracks; ++t) {
        gains.left[t] = m_gainLeft[t].load(std::memory_order_relaxed);
        gains.right[t] = m_gainRight[t].load(std::memory_order_relaxed);
    }
    gains.channels = m_gainChannels.load(std::memory_order_relaxed);
    gains.mixNeeded = m_mixNeeded.load(std::memory_order_relaxed);
    return gains;
}

uint32_t CAudioEngine::MixBlock(void* out, const void* in, uint32_t inBytes) const noexcept {
    if (!out || !in) {
        return 0;
    }
    return MixFrames(CurrentGains(), m_store.m_bits, m_store.m_tracks, static_cast<uint8_t*>(out),
                     static_cast<const uint8_t*>(in), inBytes);
}

} // namespace ondrix
