#include "document/ondrix_doc.h"

#include "audio/engine_listener.h"
#include "document/document_host.h"
#include "document/record_session.h"
#include "document/update_hints.h"
#include "settings/core/settings.h"

#include <algorithm>

namespace ondrix {

// The document's selection (cursor, block, zoom, current track, edited tracks) and the state the
// enabling rules look at.

void COndrixDoc::GetBlock(int32_t& first, int32_t& last) const noexcept {
    if (m_anchor == -1) {
        first = last = m_cursor;
        return;
    }
    first = std::min(m_cursor, m_anchor);
    last = std::max(m_cursor, m_anchor);
}

std::array<uint32_t, 32> COndrixDoc::GetTrackMask() const {
    std::array<uint32_t, 32> mask{};
    const uint32_t tracks = m_store->GetTrackCount();
    for (uint32_t t = 0; t < tracks && t < kMaxTracks; ++t) {
        mask[t] = IsEditedTrack(t) ? 1 : 0;
    }
    return mask;
}

bool COndrixDoc::IsEditedTrack(uint32_t track) const {
    if (track >= kMaxTracks) {
        return false;
    }
    return g_settings.edit.allTracks ? (m_store->m_trackFlags[track] & TRACK_EDITED) != 0
                                     : track == m_currentTrack;
}

void COndrixDoc::SetCurrentTrack(uint32_t track) {
    if (track == m_currentTrack) {
        return;
    }
    m_currentTrack = track;
    UpdateStatus(1);
    if (HasBlock() && !g_settings.edit.allTracks) {
        UpdateAllViews(nullptr, HINT_EDIT_STATE);
    }
}

void COndrixDoc::SetCursor(int32_t frame) {
    SetBlock(m_anchor, frame);
}

void COndrixDoc::SetBlock(int32_t anchor, int32_t cursor) {
    const int32_t old = m_cursor;
    m_anchor = anchor;
    m_cursor = cursor;
    // sent even when nothing moved: the views redraw, and the mixer area shows a track chosen meanwhile
    UpdateAllViews(nullptr, HINT_CURSOR_MOVED, old);
    UpdateStatus(2);
}

void COndrixDoc::SetZoom(int32_t zoom) {
    if (zoom == m_zoom) {
        return;
    }
    const int32_t old = m_zoom;
    m_zoom = zoom;
    UpdateAllViews(nullptr, HINT_ZOOM, old);
}

CSampleStore* COndrixDoc::GetRecordStore() const noexcept {
    return m_recording ? m_recording->GetRecordStore() : nullptr;
}

bool COndrixDoc::IsBusy() const noexcept {
    const CSampleStore* store = m_recording ? &m_recording->Target() : m_store.get();
    return store->GetAudioState() != 0;
}

bool COndrixDoc::IsPlaying() const noexcept {
    return (m_store->GetAudioState() & AUDIO_PLAYING) != 0;
}

DocumentState COndrixDoc::GetState() const {
    DocumentState state;
    state.hasBlock = HasBlock();
    state.sampleShown = m_sampleShown;
    state.dataSize = m_store->GetDataSize();
    state.tracks = m_store->GetTrackCount();
    state.playing = IsPlaying();
    state.recording = m_recording != nullptr; // prepared or running, into a record store or the sound
    state.engineBusy = m_store->GetAudioState() != 0;
    const auto mask = GetTrackMask();
    state.maskHasTrack = std::any_of(mask.begin(), mask.end(), [](uint32_t m) { return m != 0; });
    state.clipboardHasData = m_host && m_host->ClipboardHasData();
    state.zoom = m_zoom;
    return state;
}

void COndrixDoc::ResetSelection() {
    m_cursor = 0;
    m_anchor = -1;
    m_zoom = 0;
    m_currentTrack = 0;
}

} // namespace ondrix
