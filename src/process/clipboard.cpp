#include "process/clipboard.h"

#include "base/progress.h"
#include "fileformat/wave_clipboard.h"
#include "store/temp_paths.h"

namespace ondrix {

TrackAssignment DefaultAssignment(uint32_t sourceTracks, uint32_t documentTracks, uint32_t currentTrack) {
    TrackAssignment assignment;
    assignment.fill(kNoSourceTrack);
    for (uint32_t k = 0; k < sourceTracks && currentTrack + k < documentTracks; ++k) {
        assignment[currentTrack + k] = uint8_t(k);
    }
    return assignment;
}

bool NeedsAssignmentDialog(uint32_t sourceTracks, uint32_t documentTracks, uint32_t currentTrack) {
    const bool shapesAgree = sourceTracks == documentTracks || sourceTracks == 1;
    const bool allPlaced = uint64_t(currentTrack) + sourceTracks <= documentTracks;
    return !(shapesAgree && allPlaced);
}

SourceTargets TargetsOfSources(const TrackAssignment& assignment, uint32_t sourceTracks) {
    SourceTargets targets;
    targets.fill(kNoSourceTrack);
    for (uint32_t t = uint32_t(kMaxTracks); t-- > 0;) {
        const uint8_t source = assignment[t];
        if (source < sourceTracks && source < uint32_t(kMaxTracks)) {
            targets[source] = uint8_t(t);
        }
    }
    return targets;
}

TrackAssignment AssignmentFromTargets(const SourceTargets& targets, uint32_t sourceTracks,
                                      uint32_t documentTracks) {
    TrackAssignment assignment;
    assignment.fill(kNoSourceTrack);
    for (uint32_t k = 0; k < sourceTracks && k < uint32_t(kMaxTracks); ++k) {
        if (targets[k] < documentTracks && targets[k] < uint32_t(kMaxTracks)) {
            assignment[targets[k]] = uint8_t(k);
        }
    }
    return assignment;
}

bool AssignsAnyTrack(const TrackAssignment& assignment) noexcept {
    for (const uint8_t source : assignment) {
        if (source != kNoSourceTrack) {
            return true;
        }
    }
    return false;
}

CClipboard::CClipboard(bool custom) {
    if (custom) {
        ResetCustom();
    }
}

void CClipboard::ToggleCustom() {
    if (m_custom) {
        m_custom.reset();
    } else {
        ResetCustom();
    }
}

void CClipboard::ResetCustom() {
    m_custom = std::make_unique<CSampleStore>();
    m_custom->m_progressWindowId = kStatusBarWindowId;
}

bool CClipboard::CanPaste() const {
    if (m_custom) {
        return m_custom->GetDataSize() != 0;
    }
    return WaveClipboard().HasWave();
}

bool CClipboard::Copy(CSampleStore& store, const uint32_t* trackMask, int64_t firstFrame, int64_t lastFrame,
                      const std::string& clipboardPath) {
    std::unique_ptr<CSampleStore> copy = CopyOut(store, trackMask, firstFrame, lastFrame, clipboardPath);
    return copy && Install(std::move(copy));
}

std::unique_ptr<CSampleStore> CClipboard::CopyOut(CSampleStore& store, const uint32_t* trackMask,
                                                  int64_t firstFrame, int64_t lastFrame,
                                                  const std::string& clipboardPath) const {
    if (!store.HasData()) {
        return nullptr;
    }
    uint32_t selected = 0;
    for (uint32_t t = 0; t < store.GetTrackCount(); ++t) {
        selected += !trackMask || trackMask[t] != 0 ? 1 : 0;
    }
    if (selected == 0) {
        return nullptr;
    }
    // The copy goes into a store of its own, so a failure (full disk, ESC) keeps the old content.
    auto copy = std::make_unique<CSampleStore>();
    copy->m_progressWindowId = kStatusBarWindowId;
    copy->m_showErrors = store.m_showErrors;
    const StorageChoice storage = StorageForPath(clipboardPath);
    if (!copy->Create(storage.mode, storage.directory, store.GetBitsPerSample(), selected,
                      store.GetSampleRate(), store.GetStereo())) {
        return nullptr;
    }
    if (!store.CopyBlock(trackMask, firstFrame, lastFrame, copy.get())) {
        return nullptr;
    }
    return copy;
}

bool CClipboard::Install(std::unique_ptr<CSampleStore> copy) {
    if (!copy) {
        return false;
    }
    if (m_custom) {
        m_custom = std::move(copy);
        return true;
    }
    return copy->Save(std::string(), false);
}

CSampleStore* CClipboard::PasteSource(std::unique_ptr<CSampleStore>& holder,
                                      const std::string& clipboardPath) {
    if (m_custom) {
        return m_custom->GetDataSize() != 0 ? m_custom.get() : nullptr;
    }
    holder = std::make_unique<CSampleStore>();
    holder->m_progressWindowId = kStatusBarWindowId;
    const StorageChoice storage = StorageForPath(clipboardPath);
    if (!holder->LoadClipboardWave(storage.mode, storage.directory)) {
        holder.reset();
        return nullptr;
    }
    return holder.get();
}

} // namespace ondrix
