#include "process/undo_history.h"

#include "base/progress.h"
#include "resources/string_ids.h"
#include "store/temp_paths.h"

#include <algorithm>

namespace ondrix {

namespace {

/// How much changed between the sound shown and the state that replaces it.
uint32_t HintBetween(const CSampleStore& state, const CSampleStore* shown) {
    if (!shown || state.GetTrackCount() != shown->GetTrackCount()) {
        return 1;
    }
    return state.GetDataSize() != shown->GetDataSize() ? 4 : 11;
}

} // namespace

void CUndoHistory::StateStack::Push(std::unique_ptr<CSampleStore> state, uint32_t limit) {
    StateStack removed;
    Push(std::move(state), limit, removed);
}

void CUndoHistory::StateStack::Push(std::unique_ptr<CSampleStore> state, uint32_t limit,
                                    StateStack& removed) {
    limit = std::clamp(limit, 1u, kMaxStates);
    while (count >= limit) {
        std::unique_ptr<CSampleStore> oldest = std::move(states[0]);
        std::move(states.begin() + 1, states.begin() + count, states.begin());
        --count;
        if (removed.count < kMaxStates) {
            removed.states[removed.count++] = std::move(oldest);
        }
    }
    states[count++] = std::move(state);
}

void CUndoHistory::StateStack::PutBackOldest(StateStack& back) {
    const uint32_t room = std::min(back.count, kMaxStates - count);
    std::move_backward(states.begin(), states.begin() + count, states.begin() + count + room);
    // the newest of the removed ones sit right before the states kept
    std::move(back.states.begin() + (back.count - room), back.states.begin() + back.count, states.begin());
    count += room;
    back.Clear();
}

std::unique_ptr<CSampleStore> CUndoHistory::StateStack::PopNewest() {
    if (count == 0) {
        return nullptr;
    }
    return std::move(states[--count]);
}

void CUndoHistory::StateStack::Clear() {
    while (count != 0) {
        states[--count].reset();
    }
}

const CSampleStore* CUndoHistory::StateStack::At(uint32_t index) const noexcept {
    return index < count ? states[index].get() : nullptr;
}

std::unique_ptr<CSampleStore> CUndoHistory::CopyState(const CSampleStore& store,
                                                      const std::string& clipboardPath) {
    auto copy = std::make_unique<CSampleStore>();
    copy->m_progressWindowId = kStatusBarWindowId;
    copy->m_defaultTrackFlags = store.m_defaultTrackFlags;
    copy->m_progressTextId = str::kUndoProgressText;
    copy->m_showErrors = store.m_showErrors;
    const StorageChoice storage = StorageForPath(clipboardPath);
    if (!copy->CopyFrom(storage.mode, storage.directory, &store)) {
        return nullptr;
    }
    return copy;
}

CUndoHistory::SaveResult CUndoHistory::SaveUndoState(const CSampleStore& store, uint32_t undoCount,
                                                     const std::string& clipboardPath) {
    undoCount = std::min(undoCount, kMaxStates);
    if (undoCount == 0) {
        return SaveResult::Off;
    }
    CommitUndoState();
    // The copy is made before the oldest state goes, so a failed copy leaves the history untouched.
    std::unique_ptr<CSampleStore> copy = CopyState(store, clipboardPath);
    if (!copy) {
        return SaveResult::Failed;
    }
    // a new change ends the way back to the undone ones, once it has gone through
    std::swap(m_displaced.redo, m_redo);
    m_undo.Push(std::move(copy), undoCount, m_displaced.oldest);
    m_displaced.pending = true;
    return SaveResult::Saved;
}

void CUndoHistory::CommitUndoState() {
    m_displaced.redo.Clear();
    m_displaced.oldest.Clear();
    m_displaced.pending = false;
}

uint32_t CUndoHistory::Restore(Direction direction, std::unique_ptr<CSampleStore>& store,
                               const std::string& clipboardPath) {
    CommitUndoState();
    StateStack& from = direction == Direction::Undo ? m_undo : m_redo;
    StateStack& to = direction == Direction::Undo ? m_redo : m_undo;
    if (from.count == 0) {
        return 0;
    }
    std::unique_ptr<CSampleStore> replaced;
    if (store && store->HasData()) {
        replaced = CopyState(*store, clipboardPath);
        if (!replaced) {
            if (direction == Direction::Redo) {
                return 0; // without its undo state a redo would be a change that cannot be undone
            }
            to.Clear(); // the redo states no longer follow on from the sound: the undo itself goes on
        }
    }
    std::unique_ptr<CSampleStore> state = from.PopNewest();
    const uint32_t hint = HintBetween(*state, store.get());
    store = std::move(state);
    if (replaced) {
        // the two directions share the count limit: whatever leaves one side enters the other
        to.Push(std::move(replaced), kMaxStates);
    }
    return hint;
}

uint32_t CUndoHistory::Undo(std::unique_ptr<CSampleStore>& store, const std::string& clipboardPath) {
    return Restore(Direction::Undo, store, clipboardPath);
}

uint32_t CUndoHistory::Redo(std::unique_ptr<CSampleStore>& store, const std::string& clipboardPath) {
    return Restore(Direction::Redo, store, clipboardPath);
}

void CUndoHistory::DropNewestUndoState() {
    m_undo.PopNewest();
    if (m_displaced.pending) {
        m_undo.PutBackOldest(m_displaced.oldest);
        std::swap(m_redo, m_displaced.redo);
        CommitUndoState();
    }
}

void CUndoHistory::ClearUndoHistory() {
    CommitUndoState();
    m_undo.Clear();
    m_redo.Clear();
}

} // namespace ondrix
