#include "document/ondrix_doc.h"

#include "document/update_hints.h"
#include "resources/string_ids.h"
#include "settings/core/settings.h"
#include "store/temp_paths.h"

namespace ondrix {

// Changes of the sound with their undo states, and putting undo and redo states back.

bool COndrixDoc::PrepareSampleChange() {
    if (m_store->GetStorageMode() != STORE_INPLACE) {
        return true;
    }
    const StorageChoice storage = StorageForPath(g_settings.tempPath.editor);
    m_store->m_progressTextId = str::kLoadText;
    return m_store->MakeWritable(storage.mode, storage.directory);
}

bool COndrixDoc::ApplyChange(const std::function<bool()>& operation, uint32_t hint) {
    if (!PrepareSampleChange()) {
        return false;
    }
    if (m_undo.SaveUndoState(*m_store, g_settings.edit.undoCount, g_settings.tempPath.clipboard) ==
        CUndoHistory::SaveResult::Failed) {
        return false;
    }
    if (!operation()) {
        m_undo.DropNewestUndoState();
        return false;
    }
    m_undo.CommitUndoState();
    SetModifiedFlag(true);
    UpdateAllViews(nullptr, hint);
    UpdateStatus(0);
    return true;
}

bool COndrixDoc::Undo() {
    return RestoreState(CUndoHistory::Direction::Undo);
}

bool COndrixDoc::Redo() {
    return RestoreState(CUndoHistory::Direction::Redo);
}

bool COndrixDoc::RestoreState(CUndoHistory::Direction direction) {
    const bool stereo = m_store->GetStereo();
    const uint32_t hint = m_undo.Restore(direction, m_store, g_settings.tempPath.clipboard);
    if (hint == 0) {
        return false;
    }
    SetModifiedFlag(true);
    // the old selection may lie beyond the restored sound: reset it before the views look
    ResetSelection();
    UpdateAllViews(nullptr, hint);
    if (m_store->GetStereo() != stereo) {
        UpdateAllViews(nullptr, HINT_STEREO);
    }
    UpdateStatus(0);
    return true;
}

} // namespace ondrix
