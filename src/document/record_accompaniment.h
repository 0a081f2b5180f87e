#pragma once

#include <functional>
#include <memory>

namespace ondrix {

/// The accompaniment of a recording: a MIDI file or a CD track that plays along. The record session
/// opens it when a recording is prepared, starts it in the start step (after the synchronous playback,
/// before the input device) and closes it when the recording has ended or its document closes.
///
/// A device that fails to open or start tells the user itself (beep and message) and is left out; the
/// recording goes on without it, so none of the calls may throw or cancel the recording.
class IRecordAccompaniment {
public:
    virtual ~IRecordAccompaniment() = default;
    /// Opens the enabled accompaniment devices (the prepare step).
    virtual void Open() = 0;
    /// Starts the devices Open opened (the start step).
    virtual void Start() = 0;
    /// Forgets, stops and closes the open devices; does nothing when none is open, so it may run twice.
    virtual void Close() = 0;
};

/// The accompaniment while none is installed: it opens, plays and closes nothing.
class CNoAccompaniment final : public IRecordAccompaniment {
public:
    void Open() override {}
    void Start() override {}
    void Close() override {}
};

/// Called on the user-interface thread when an accompaniment finished playing by itself (or failed
/// while playing): the recording ends with it. Calling it again once the recording ended does nothing.
using AccompanimentEnded = std::function<void()>;

/// Makes the accompaniment of one recording; it calls ended when it finishes playing.
using AccompanimentFactory = std::function<std::unique_ptr<IRecordAccompaniment>(AccompanimentEnded ended)>;

/// Installs the factory every recording from now on takes its accompaniment from (null: no accompaniment).
void SetAccompanimentFactory(AccompanimentFactory factory);

/// Makes the accompaniment of a recording through the installed factory; never null.
std::unique_ptr<IRecordAccompaniment> MakeAccompaniment(AccompanimentEnded ended);

} // namespace ondrix
