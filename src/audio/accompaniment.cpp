#include "audio/accompaniment.h"

#include "audio/accompaniment_backends.h"
#include "audio/midi_file.h"
#include "base/message_service.h"
#include "resources/string_ids.h"

namespace ondrix {

void ReportCdError() {
    AskUser(str::kCdPlaybackError, MsgIcon::Stop, MsgButtons::Ok);
}

void ReportMidiError() {
    AskUser(str::kMidiPlaybackError, MsgIcon::Stop, MsgButtons::Ok);
}

std::unique_ptr<ICdPlayer> OpenCdDevice(const AccompanimentOutput& output) {
    ICdBackend* drive = CurrentCdBackend();
    return drive ? drive->Open(output) : nullptr;
}

std::unique_ptr<IMidiSequence> OpenMidiDevice(const std::string& path, int port,
                                              const AccompanimentOutput& output) {
    IMidiBackend* sequencer = CurrentMidiBackend();
    std::unique_ptr<IMidiSequence> midi = sequencer ? sequencer->Open(path, output) : nullptr;
    if (midi && port != -1 && !midi->SetPort(port)) {
        midi.reset(); // stopped and closed
    }
    return midi;
}

void CAccompaniment::Prepare(const AccompanimentSettings& settings) {
    Stop();
    m_settings = settings;
    if (m_settings.syncCD) {
        m_cd = OpenCdDevice(m_settings.output);
        if (!m_cd) {
            ReportCdError();
        }
    }
    if (m_settings.syncMidi) {
        m_midi = OpenMidiDevice(m_settings.syncMidiFile, m_settings.midiPort, m_settings.output);
        if (m_midi) {
            m_midi->SetTempo(ClampSyncTempo(m_settings.syncTempo));
        } else {
            ReportMidiError();
        }
    }
}

void CAccompaniment::Start(IPlayEndListener& listener) {
    if (m_cd && !m_cd->Play(m_settings.syncTrack, m_settings.syncBreak, listener)) {
        m_cd.reset();
        ReportCdError();
    }
    if (m_midi && !m_midi->Play(listener)) {
        m_midi.reset();
        ReportMidiError();
    }
}

void CAccompaniment::Stop() noexcept {
    // Forgotten before they close: an end that the closing causes finds no device.
    std::unique_ptr<ICdPlayer> cd = std::move(m_cd);
    std::unique_ptr<IMidiSequence> midi = std::move(m_midi);
    cd.reset();
    midi.reset();
}

} // namespace ondrix
