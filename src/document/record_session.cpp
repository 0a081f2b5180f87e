#include "document/record_session.h"

#include "audio/engine_listener.h"
#include "audio/take_latency.h"
#include "base/user_abort.h"
#include "store/sample_store.h"
#include "store/temp_paths.h"

#include <chrono>
#include <thread>

namespace ondrix {

namespace {

/// Runs one step of the accompaniment: a device that fails has shown its message and ends its step
/// with the silent cancellation, which must not reach the recording.
template <typename Step> void RunAccompanimentStep(Step&& step) noexcept {
    try {
        step();
    } catch (const UserAbort&) {
        // already told: the accompaniment is left out and the recording goes on
    } catch (...) {
        // an accompaniment that cannot start is no reason to lose the recording
    }
}

} // namespace

CRecordSession::CRecordSession(CSampleStore& sound, IEngineListener* listener, AccompanimentEnded ended)
    : m_sound(sound), m_listener(listener), m_accompaniment(MakeAccompaniment(std::move(ended))) {}

CRecordSession::~CRecordSession() {
    CloseAccompaniment();
    if (m_syncStore) {
        m_syncStore->Release();
    }
    if (m_recordStore) {
        m_recordStore->Release();
    } else if (m_sound.GetAudioState() & AUDIO_RECORDING) {
        m_sound.StopAudio();
    }
}

CSampleStore& CRecordSession::Target() const noexcept {
    return m_recordStore ? *m_recordStore : m_sound;
}

bool CRecordSession::Prepare(const RecordOptions& options, const SyncRange& range) {
    m_prepared = true;
    m_syncPort = options.syncPort;
    m_syncBuffer = options.syncBuffer;
    m_latencyMs = options.latencyMs;
    if (!MakeTarget(options) ||
        !Target().StartRecording(options.inputPort, options.inputBuffer, m_listener)) {
        // nothing of a failed prepare stays: no record store, no prepared flag
        if (m_recordStore) {
            m_recordStore->Release();
            m_recordStore.reset();
        }
        m_prepared = false;
        return false;
    }
    if (options.syncPlay && !range.IsEmpty()) {
        RenderSyncStore(options, range);
    }
    RunAccompanimentStep([this] { m_accompaniment->Open(); });
    // the meters show the input while the user sets the level; the take begins at the start step
    Target().MonitorAudioInput();
    return true;
}

bool CRecordSession::MakeTarget(const RecordOptions& options) {
    const bool stereo = m_sound.GetStereo();
    const uint32_t tracks = m_sound.GetTrackCount();
    if (m_sound.GetDataSize() == 0 && tracks == (stereo ? 2u : 1u)) {
        return true; // straight into the document's own store
    }
    auto store = std::make_unique<CSampleStore>();
    store->m_progressWindowId = m_sound.m_progressWindowId;
    store->m_showErrors = m_sound.m_showErrors;
    store->m_defaultTrackFlags = m_sound.m_defaultTrackFlags;
    const StorageChoice storage = StorageForPath(options.recordPath);
    if (!store->Create(storage.mode, storage.directory, m_sound.GetBitsPerSample(), stereo ? 2 : 1,
                       m_sound.GetSampleRate(), stereo)) {
        return false;
    }
    m_recordStore = std::move(store);
    return true;
}

void CRecordSession::RenderSyncStore(const RecordOptions& options, const SyncRange& range) {
    auto store = std::make_unique<CSampleStore>();
    store->m_progressWindowId = m_sound.m_progressWindowId;
    store->m_showErrors = m_sound.m_showErrors;
    const StorageChoice storage = StorageForPath(options.synchroPath);
    const uint32_t rate = options.syncUseFile ? 0 : options.syncRate;
    const uint32_t bits = options.syncUseFile ? 0 : options.syncBits;
    if (!store->MixDown(storage.mode, storage.directory, &m_sound, range.first, range.last, rate, bits)) {
        store->Release(); // the recording goes on without synchronous playback
        return;
    }
    m_syncStore = std::move(store);
}

void CRecordSession::StartOrPause() {
    if (!m_prepared) {
        if (m_syncStore) {
            m_syncStore->TogglePause();
        }
        return;
    }
    m_prepared = false;
    if (m_syncStore) {
        // no notification window: the frame knows only the recording
        m_syncStore->StartPlayback(m_syncPort, m_syncBuffer, -1, -1, false, nullptr);
    }
    // the accompaniment's place in the start step: after the synchronous playback, before the input
    RunAccompanimentStep([this] { m_accompaniment->Start(); });
}

void CRecordSession::Stop() noexcept {
    Target().StopAudio();
}

void CRecordSession::CloseAccompaniment() noexcept {
    if (!m_accompanimentClosed) {
        m_accompanimentClosed = true;
        RunAccompanimentStep([this] { m_accompaniment->Close(); });
    }
}

void CRecordSession::StopAndWait() noexcept {
    CSampleStore& target = Target();
    target.StopAudio();
    while (target.GetAudioState() != 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1)); // the worker drains and closes
    }
}

std::unique_ptr<CSampleStore> CRecordSession::Finish() {
    CloseAccompaniment();
    const bool heardPlayback = m_syncStore != nullptr;
    if (m_syncStore) {
        m_syncStore->Release(); // stops its playback and waits for the output to close
        m_syncStore.reset();
    }
    m_prepared = false;
    if (heardPlayback && m_recordStore) {
        // the input heard the playback a round trip late; a failed move is reported and keeps the take
        ShiftTakeEarlier(*m_recordStore, m_latencyMs);
    }
    return std::move(m_recordStore);
}

} // namespace ondrix
