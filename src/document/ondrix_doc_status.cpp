#include "document/ondrix_doc.h"

#include "controls/time_format.h"
#include "document/core/status_text.h"
#include "document/document_host.h"
#include "document/record_session.h"
#include "settings/core/settings.h"

namespace ondrix {

// The document's status bar fields.

uint32_t COndrixDoc::EnginePosition() const {
    const CSampleStore* store = m_recording ? &m_recording->Target() : m_store.get();
    return store->GetAudioPosition();
}

std::string COndrixDoc::StatusText(int field) const {
    const CSampleStore& s = *m_store;
    StatusFacts facts;
    facts.currentTrack = m_currentTrack;
    facts.tracks = s.GetTrackCount();
    facts.cursor = m_cursor;
    facts.frames = s.GetFrameCount();
    facts.dataSize = s.GetDataSize();
    facts.blockAlign = s.GetBlockAlign();
    facts.bits = s.GetBitsPerSample();
    facts.stereo = s.GetStereo();
    facts.rate = s.GetSampleRate();
    facts.busy = IsBusy();
    facts.recording = m_recording != nullptr;
    facts.enginePosition = facts.busy ? EnginePosition() : 0;
    facts.overwrite = g_settings.edit.overWrite != 0;
    return StatusFieldText(field, facts, [this](int64_t frames) { return TimeText(frames); });
}

std::string COndrixDoc::TimeText(int64_t frames) const {
    const uint8_t format = g_settings.sampleWindow.timeFmt;
    if (format == TIMEFMT_SAMPLES) {
        return std::to_string(frames);
    }
    return FormatTime(uint32_t(m_store->FramesToMs(frames)), format, g_settings.sampleWindow.fps, false);
}

void COndrixDoc::UpdateStatus(int field) {
    if (!m_host || !m_host->IsStatusAvailable()) {
        return;
    }
    if (field == -1) {
        for (int f = 1; f <= 7; ++f) {
            m_host->SetStatusText(f, {});
        }
        return;
    }
    if (!m_store->HasData()) {
        return;
    }
    if (field == 0) {
        for (int f = 1; f <= 7; ++f) {
            m_host->SetStatusText(f, StatusText(f));
        }
    } else if (field >= 1 && field <= 7) {
        m_host->SetStatusText(field, StatusText(field));
    }
}

} // namespace ondrix
