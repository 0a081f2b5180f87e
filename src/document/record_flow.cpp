// The document's side of a recording: the record command, the start-or-pause step, the stop and the
// taking over of the take when the stop message arrives.

#include "audio/engine_listener.h"
#include "base/message_service.h"
#include "document/core/text_format.h"
#include "document/document_host.h"
#include "document/ondrix_doc.h"
#include "document/record_session.h"
#include "document/update_hints.h"
#include "resources/string_ids.h"
#include "settings/core/settings.h"
#include "store/sample_store.h"

#include <QApplication>

namespace ondrix {

namespace {

/// The settings a prepare reads.
RecordOptions RecordOptionsFromSettings() {
    RecordOptions options;
    options.inputPort = g_settings.record.port;
    options.inputBuffer = uint32_t(g_settings.record.buffer);
    options.syncPlay = g_settings.record.syncPlay != 0;
    options.syncUseFile = g_settings.synchroPlay.useFile != 0;
    options.syncRate = uint32_t(g_settings.synchroPlay.sampleRate);
    options.syncBits = g_settings.synchroPlay.bitsPerSample;
    options.syncPort = g_settings.synchroPlay.port;
    options.syncBuffer = uint32_t(g_settings.synchroPlay.buffer);
    options.recordPath = g_settings.tempPath.record;
    options.synchroPath = g_settings.tempPath.synchroPlay;
    options.latencyMs = g_settings.record.latencyMs;
    return options;
}

} // namespace

SyncRange COndrixDoc::SyncPlaybackRange() const {
    const int64_t frames = m_store->GetFrameCount();
    SyncRange range;
    if (HasBlock()) {
        // a block plays whole, whichever end the cursor is on
        int32_t first = 0;
        int32_t last = 0;
        GetBlock(first, last);
        range.first = first;
        range.last = std::min<int64_t>(last, frames - 1);
    } else {
        range.first = m_cursor;
        range.last = frames - 1;
    }
    if (range.first < 0 || range.first >= frames) {
        range.last = range.first - 1; // nothing to play
    }
    return range;
}

bool COndrixDoc::PrepareRecording() {
    if (m_recording || IsBusy()) {
        return false;
    }
    IEngineListener* listener = m_host ? m_host->GetEngineListener() : nullptr;
    // the session is the document's before it opens the input: the start message may be handled while
    // the rendering's progress display runs, and must find the record store known
    m_recording = std::make_unique<CRecordSession>(*m_store, listener, [this] { StopRecording(); });
    if (!m_recording->Prepare(RecordOptionsFromSettings(), SyncPlaybackRange())) {
        m_recording.reset();
        return false;
    }
    KeepWorkSafe(); // the take survives a crash from its first frame
    UpdateAllViews(nullptr, HINT_RECORD_PREPARED);
    if (m_host) {
        m_host->SetRecordingDocument(this);
    }
    UpdateStatus(0);
    return true;
}

void COndrixDoc::StartOrPauseRecording() {
    if (m_recording) {
        m_recording->StartOrPause();
    }
}

void COndrixDoc::StopRecording() {
    if (!m_recording) {
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_recording->Stop();
    QApplication::restoreOverrideCursor();
}

void COndrixDoc::OnRecordingStopped() {
    if (!m_recording) {
        return;
    }
    std::unique_ptr<CSampleStore> take = m_recording->Finish();
    CloseRecording();
    if (take) {
        if (take->GetDataSize() > 0) {
            ApplyTake(std::move(take));
        } else {
            take->Release();
        }
    } else if (m_store->GetDataSize() > 0) {
        // the recording went into the sound itself
        m_store->FreeDisplayCache();
        SetModifiedFlag(true);
        UpdateAllViews(nullptr, HINT_LENGTH);
    }
    UpdateStatus(0);
}

void COndrixDoc::CloseRecording() {
    if (!m_recording) {
        return;
    }
    m_recording.reset(); // stops the input, closes the accompaniment, deletes the record stores
    KeepWorkSafe();
    if (m_host) {
        m_host->RecordingClosed(this);
    }
}

bool COndrixDoc::ConfirmCloseWhileRecording() {
    if (!m_recording) {
        return true;
    }
    Messages().Beep(MsgIcon::Question);
    switch (Messages().ShowMessage(FormatTextId(str::kCloseWhileRecordingText, {GetTitle()}),
                                   MsgIcon::Question, MsgButtons::YesNoCancel,
                                   str::kCloseWhileRecordingText)) {
    case MsgAnswer::Yes:
        QApplication::setOverrideCursor(Qt::WaitCursor);
        m_recording->StopAndWait();
        QApplication::restoreOverrideCursor();
        OnRecordingStopped(); // the stop message that follows finds no recording
        return true;
    case MsgAnswer::No:
        CloseRecording(); // the take is dropped
        return true;
    default:
        return false;
    }
}

} // namespace ondrix
