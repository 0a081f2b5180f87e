#pragma once

#include "audio/play_end_listener.h"

#include <memory>
#include <string>
#include <vector>

namespace ondrix {

/// A MIDI file opened on the sequencer. Destroying it stops and closes it; no listener runs afterwards.
class IMidiSequence {
public:
    IMidiSequence() = default;
    IMidiSequence(const IMidiSequence&) = delete;
    IMidiSequence& operator=(const IMidiSequence&) = delete;
    virtual ~IMidiSequence() = default;

    /// Sends the file to an output port (-1: the built-in synthesizer); false when there is no such port
    /// or it cannot be reached.
    virtual bool SetPort(int port) = 0;
    /// Plays at this tempo in beats per minute from now on, overriding the file's own tempo.
    virtual void SetTempo(int beatsPerMinute) = 0;
    /// Plays the file from its start; the listener hears when it ends. False when it cannot play.
    virtual bool Play(IPlayEndListener& listener) = 0;
    /// Stops playing; the listener is not told.
    virtual void Stop() noexcept = 0;
};

/// The MIDI sequencer: its output ports and the files it opens.
class IMidiBackend {
public:
    virtual ~IMidiBackend() = default;
    /// The writable output ports, numbered from 0 in the order listed (empty when there are none).
    virtual std::vector<std::string> ListPorts() = 0;
    /// Opens a MIDI file that plays its synthesized sound on output; nullptr when it is no playable file.
    virtual std::unique_ptr<IMidiSequence> Open(const std::string& path,
                                                const AccompanimentOutput& output) = 0;
};

} // namespace ondrix
