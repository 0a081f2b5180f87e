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
    if (!store.HasData()) {
        return false;
    }
    uint32_t selected = 0;
    for (uint32_t t = 0; t < store.GetTrackCount(); ++t) {
        selected += !trackMask || trackMask[t] != 0 ? 1 : 0;
    }
    if (selected == 0) {
        return false;
    }
    std::unique_ptr<CSampleStore> temporary;
    CSampleStore* target = m_custom.get();
    if (!target) {
        temporary = std::make_unique<CSampleStore>();
        target = temporary.get();
    }
    target->Release();
    const StorageChoice storage = StorageForPath(clipboardPath);
    if (!target->Create(storage.mode, storage.directory, store.GetBitsPerSample(), selected,
                        store.GetSampleRate(), store.GetStereo())) {
        return false;
    }
    if (!store.CopyBlock(trackMask, firstFrame, lastFrame, target)) {
        target->Release(); // a part copied is no clipboard content
        return false;
    }
    return temporary ? temporary->Save(std::string(), false) : true;
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
