#pragma once

#include "audio/cd_device.h"
#include "audio/midi_device.h"
#include "audio/play_end_listener.h"

#include <memory>
#include <string>

namespace ondrix {

/// What a recording's accompaniment reads from the settings when the recording is prepared.
struct AccompanimentSettings {
    bool syncCD = false;        ///< play a CD track
    int syncTrack = 1;          ///< the track, 1..100
    bool syncBreak = true;      ///< stop after that track (else play on to the end of the disc)
    bool syncMidi = false;      ///< play a MIDI file
    std::string syncMidiFile;   ///< the file
    int syncTempo = 120;        ///< its tempo in beats per minute
    int midiPort = -1;          ///< its output port; -1 is the built-in synthesizer
    AccompanimentOutput output; ///< where the synthesized or extracted sound plays
};

/// A recording's MIDI and CD accompaniment. Prepare opens the enabled devices, Start plays them (the CD
/// before the MIDI file), Stop forgets and closes both. A device that fails is shown with its message
/// (1136 for the CD, 1138 for MIDI) and left out; the recording itself always goes on.
class CAccompaniment {
public:
    CAccompaniment() = default;
    ~CAccompaniment() { Stop(); }
    CAccompaniment(const CAccompaniment&) = delete;
    CAccompaniment& operator=(const CAccompaniment&) = delete;

    /// Opens the CD and the MIDI file when the settings enable them (closing what was open before).
    void Prepare(const AccompanimentSettings& settings);
    /// Plays the opened devices; the listener hears each one's end (on that device's worker).
    void Start(IPlayEndListener& listener);
    /// Forgets and closes both devices; no listener runs once it returns.
    void Stop() noexcept;
    /// How many devices are open: the recording posts one stop command for each when one of them ends.
    int OpenDeviceCount() const noexcept { return (m_cd ? 1 : 0) + (m_midi ? 1 : 0); }
    /// Whether the CD is open.
    bool HasCd() const noexcept { return m_cd != nullptr; }
    /// Whether the MIDI file is open.
    bool HasMidi() const noexcept { return m_midi != nullptr; }

private:
    AccompanimentSettings m_settings;
    std::unique_ptr<ICdPlayer> m_cd;
    std::unique_ptr<IMidiSequence> m_midi;
};

/// Opens the CD on the current drive; nullptr when there is no drive or disc.
std::unique_ptr<ICdPlayer> OpenCdDevice(const AccompanimentOutput& output);
/// Opens a MIDI file on the current sequencer and sets its port (-1 leaves the synthesizer); nullptr when
/// either fails.
std::unique_ptr<IMidiSequence> OpenMidiDevice(const std::string& path, int port,
                                              const AccompanimentOutput& output);
/// Shows message 1136 (CD) with the error beep.
void ReportCdError();
/// Shows message 1138 (MIDI) with the error beep.
void ReportMidiError();

} // namespace ondrix
