#pragma once

#include "audio/cd_device.h"
#include "audio/midi_device.h"

namespace ondrix {

/// Registers the MIDI sequencer (its backend target does this from a static object).
void RegisterMidiBackend(IMidiBackend* backend);
/// Registers the CD drive (its backend target does this from a static object).
void RegisterCdBackend(ICdBackend* backend);

/// The MIDI sequencer in use, or nullptr when the program has none.
IMidiBackend* CurrentMidiBackend();
/// The CD drive in use, or nullptr when the program has none.
ICdBackend* CurrentCdBackend();

/// Uses other devices for the lifetime of the object (tests); nullptr leaves a kind unchanged.
class ScopedAccompanimentBackends {
public:
    /// Chooses midi and cd until destruction.
    ScopedAccompanimentBackends(IMidiBackend* midi, ICdBackend* cd);
    ~ScopedAccompanimentBackends();
    ScopedAccompanimentBackends(const ScopedAccompanimentBackends&) = delete;
    ScopedAccompanimentBackends& operator=(const ScopedAccompanimentBackends&) = delete;

private:
    IMidiBackend* m_midi;
    ICdBackend* m_cd;
};

} // namespace ondrix
