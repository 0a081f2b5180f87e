#include "audio/accompaniment_backends.h"

#include <atomic>

namespace ondrix {

namespace {
std::atomic<IMidiBackend*> g_midi{nullptr};
std::atomic<ICdBackend*> g_cd{nullptr};
} // namespace

CdLength CdLengthOfSectors(uint32_t sectors) noexcept {
    const uint32_t seconds = sectors / kCdSectorsPerSecond;
    return {seconds / 60, seconds % 60, sectors % kCdSectorsPerSecond};
}

void RegisterMidiBackend(IMidiBackend* backend) {
    g_midi.store(backend);
}

void RegisterCdBackend(ICdBackend* backend) {
    g_cd.store(backend);
}

IMidiBackend* CurrentMidiBackend() {
    return g_midi.load();
}

ICdBackend* CurrentCdBackend() {
    return g_cd.load();
}

ScopedAccompanimentBackends::ScopedAccompanimentBackends(IMidiBackend* midi, ICdBackend* cd)
    : m_midi(midi ? g_midi.exchange(midi) : g_midi.load()), m_cd(cd ? g_cd.exchange(cd) : g_cd.load()) {}

ScopedAccompanimentBackends::~ScopedAccompanimentBackends() {
    g_midi.store(m_midi);
    g_cd.store(m_cd);
}

} // namespace ondrix
