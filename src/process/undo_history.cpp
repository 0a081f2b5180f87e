#include "process/undo_history.h"

#include "base/progress.h"
#include "resources/string_ids.h"
#include "store/temp_paths.h"

#include <algorithm>

namespace ondrix {

CUndoHistory::SaveResult CUndoHistory::SaveUndoState(const CSampleStore& store, uint32_t undoCount,
                                                     const std::string& clipboardPath) {
    undoCount = std::min(undoCount, kMaxStates);
    if (undoCount == 0) {
        return SaveResult::Off;
    }
    // The copy is made before the oldest state goes, so a failed copy leaves the history untouched.
    auto copy = std::make_unique<CSampleStore>();
    copy->m_progressWindowId = kStatusBarWindowId;
    copy->m_defaultTrackFlags = store.m_defaultTrackFlags;
    copy->m_progressTextId = str::kUndoProgressText;
    copy->m_showErrors = store.m_showErrors;
    const StorageChoice storage = StorageForPath(clipboardPath);
    if (!copy->CopyFrom(storage.mode, storage.directory, &store)) {
        return SaveResult::Failed;
    }
    while (m_count >= undoCount) {
        std::move(m_slots.begin() + 1, m_slots.begin() + m_count, m_slots.begin());
        m_slots[--m_count].reset();
    }
    m_slots[m_count++] = std::move(copy);
    return SaveResult::Saved;
}

uint32_t CUndoHistory::Undo(std::unique_ptr<CSampleStore>& store) {
    if (m_count == 0 || !m_slots[m_count - 1]) {
        return 0;
    }
    std::unique_ptr<CSampleStore>& newest = m_slots[m_count - 1];
    uint32_t hint = 11;
    if (!store || newest->GetTrackCount() != store->GetTrackCount()) {
        hint = 1;
    } else if (newest->GetDataSize() != store->GetDataSize()) {
        hint = 4;
    }
    std::swap(store, newest);
    DropNewestUndoState();
    return hint;
}

void CUndoHistory::DropNewestUndoState() {
    if (m_count == 0) {
        return;
    }
    m_slots[--m_count].reset();
}

void CUndoHistory::ClearUndoHistory() {
    while (m_count != 0) {
        DropNewestUndoState();
    }
}

const CSampleStore* CUndoHistory::GetState(uint32_t index) const noexcept {
    return index < m_count ? m_slots[index].get() : nullptr;
}

} // namespace ondrix
