#include "document/track_mixer.h"

#include "document/ondrix_doc.h"
#include "document/update_hints.h"
#include "settings/core/settings.h"

#include <algorithm>

namespace ondrix {

bool CTrackMixer::IsTrack(uint32_t track) const noexcept {
    return track < m_doc.GetStore()->GetTrackCount();
}

void CTrackMixer::SetVolumeBalance(uint32_t track, int volume, int balance) {
    if (!IsTrack(track)) {
        return;
    }
    CSampleStore* store = m_doc.GetStore();
    MixerBlock mixer;
    store->GetMixer(mixer);
    mixer.volume[track] = uint8_t(std::clamp(volume, 0, 200));
    mixer.balance[track] = int8_t(std::clamp(balance, -100, 100));
    store->SetMixer(mixer);
    m_doc.SetModifiedFlag();
}

void CTrackMixer::SetName(uint32_t track, const std::string& name) {
    if (!IsTrack(track)) {
        return;
    }
    m_doc.GetStore()->m_trackNames[track] = name;
    m_doc.SetModifiedFlag();
}

void CTrackMixer::SetPlayOff(uint32_t track, bool off) {
    if (!IsTrack(track)) {
        return;
    }
    m_doc.GetStore()->SetPlayOff(int(track), off);
    m_doc.SetModifiedFlag();
}

bool CTrackMixer::SetFlag(uint32_t track, uint32_t flag, bool on) {
    uint32_t& flags = m_doc.GetStore()->m_trackFlags[track];
    const uint32_t before = flags;
    flags = on ? (flags | flag) : (flags & ~flag);
    m_doc.SetModifiedFlag();
    return flags != before;
}

void CTrackMixer::SetShown(uint32_t track, bool shown) {
    if (IsTrack(track) && SetFlag(track, TRACK_SHOWN, shown)) {
        m_doc.UpdateAllViews(m_sender, HINT_TRACK_SHOWN);
    }
}

void CTrackMixer::SetEdited(uint32_t track, bool edited) {
    if (IsTrack(track) && SetFlag(track, TRACK_EDITED, edited) && m_doc.HasBlock() &&
        g_settings.edit.allTracks) {
        m_doc.UpdateAllViews(m_sender, HINT_EDIT_STATE);
    }
}

void CTrackMixer::SetMainVolume(int left, int right) {
    CSampleStore* store = m_doc.GetStore();
    MixerBlock mixer;
    store->GetMixer(mixer);
    mixer.mainLeft = uint8_t(std::clamp(left, 0, 200));
    mixer.mainRight = uint8_t(std::clamp(right, 0, 200));
    store->SetMixer(mixer);
    m_doc.SetModifiedFlag();
}

} // namespace ondrix
