#pragma once

#include "document/record_accompaniment.h"

#include <cstdint>
#include <memory>
#include <string>

namespace ondrix {

class CSampleStore;
class IEngineListener;

/// The frames the other tracks play while recording: first..last inclusive.
struct SyncRange {
    int64_t first = 0;
    int64_t last = -1;
    /// Whether the range holds a frame.
    bool IsEmpty() const noexcept { return last < first; }
};

/// Where the recording's parts come from: the settings a prepare reads, gathered so that the session
/// does not reach for the globals itself.
struct RecordOptions {
    int inputPort = -1;
    uint32_t inputBuffer = 65536;
    bool syncPlay = false;
    bool syncUseFile = true;
    uint32_t syncRate = 44100;
    uint32_t syncBits = 16;
    int syncPort = -1;
    uint32_t syncBuffer = 65536;
    std::string recordPath;  ///< the "Record" temporary path
    std::string synchroPath; ///< the "SynchroPlay" temporary path
    int32_t latencyMs = 0;   ///< a take heard with synchronous playback moves earlier by this
};

/// One recording of a document, from the record command to the stop message: the record target (the
/// document's own store when it is empty with a matching layout, else a record store of its own), the
/// synchronous-playback store and the accompaniment, with the steps that open, start, pause and close
/// them in their order. The session owns the record store, the synchronous store and the accompaniment;
/// the document's store stays the document's.
class CRecordSession {
public:
    /// A session over a document's store; the engine messages go to listener, and ended is what the
    /// accompaniment calls when it finished playing.
    CRecordSession(CSampleStore& sound, IEngineListener* listener, AccompanimentEnded ended);
    ~CRecordSession();
    CRecordSession(const CRecordSession&) = delete;
    CRecordSession& operator=(const CRecordSession&) = delete;

    /// Prepares the recording: chooses the target, opens the input paused, renders range of the sound
    /// for synchronous playback (when on and the range holds a frame) and opens the accompaniment.
    /// False when the input could not be opened (reported): then nothing stays open or allocated.
    bool Prepare(const RecordOptions& options, const SyncRange& range);
    /// Whether the recording is prepared and not yet started.
    bool IsPrepared() const noexcept { return m_prepared; }
    /// The store the input appends to: the record store, or the document's store.
    CSampleStore& Target() const noexcept;
    /// The separate record store, or null when the recording goes into the document's store.
    CSampleStore* GetRecordStore() const noexcept { return m_recordStore.get(); }
    /// The synchronous-playback store, or null.
    CSampleStore* GetSyncStore() const noexcept { return m_syncStore.get(); }
    /// The accompaniment of this recording.
    IRecordAccompaniment& Accompaniment() const noexcept { return *m_accompaniment; }

    /// The start-or-pause step of the pause command, before it toggles the target: while prepared, clears
    /// the flag and starts the synchronous playback and then the accompaniment; while recording, pauses
    /// or resumes the synchronous playback.
    void StartOrPause();
    /// Asks the input to stop (the worker drains, closes and posts the stop message).
    void Stop() noexcept;
    /// Stops the input and waits until its worker has closed it and brought the data size up to date.
    void StopAndWait() noexcept;
    /// The recording ended: closes the accompaniment and deletes the synchronous store (waiting for its
    /// output to close). Returns the record store for the document to take in (null when the recording
    /// went into the document's store), moved earlier by the latency compensation when the other tracks
    /// played along; the session holds nothing afterwards.
    std::unique_ptr<CSampleStore> Finish();

private:
    /// Chooses and makes the target: false when the record store could not be made (reported).
    bool MakeTarget(const RecordOptions& options);
    /// Closes the accompaniment once.
    void CloseAccompaniment() noexcept;
    /// Renders the synchronous-playback store; leaves it out when the rendering fails.
    void RenderSyncStore(const RecordOptions& options, const SyncRange& range);

    CSampleStore& m_sound;
    IEngineListener* m_listener;
    std::unique_ptr<CSampleStore> m_recordStore;
    std::unique_ptr<CSampleStore> m_syncStore;
    std::unique_ptr<IRecordAccompaniment> m_accompaniment;
    int m_syncPort = -1;
    uint32_t m_syncBuffer = 65536;
    int32_t m_latencyMs = 0;
    bool m_prepared = false;
    bool m_accompanimentClosed = false;
};

} // namespace ondrix
