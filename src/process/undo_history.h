#pragma once

#include "resources/string_ids.h"
#include "store/sample_store.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>

namespace ondrix {

/// The undo and redo states of one document: whole copies of its store, each direction oldest first, at
/// most ten in all.
class CUndoHistory {
public:
    static constexpr uint32_t kMaxStates = 10;

    /// What SaveUndoState did.
    enum class SaveResult {
        Saved,  ///< a complete copy is the newest state
        Off,    ///< undo is off (count 0): nothing was copied
        Failed, ///< the copy failed or was aborted; the history is as it was before
    };

    /// Which way a state is put back.
    enum class Direction {
        Undo, ///< the newest undo state comes back; the replaced sound becomes a redo state
        Redo, ///< the newest redo state comes back; the replaced sound becomes an undo state again
    };

    CUndoHistory() = default;
    CUndoHistory(const CUndoHistory&) = delete;
    CUndoHistory& operator=(const CUndoHistory&) = delete;

    /// Saves a copy of store as the newest state, keeping at most undoCount states; the copy goes where the
    /// clipboard temporary path says. A saved state ends every redo state and the oldest states beyond the
    /// count, but they are held until the change is committed, so that dropping the state brings them back.
    /// A failed copy is dropped and reported as Failed.
    SaveResult SaveUndoState(const CSampleStore& store, uint32_t undoCount, const std::string& clipboardPath);
    /// The change the newest state was saved for went through: the states it displaced are deleted. Any
    /// other call of the history commits a pending change first.
    void CommitUndoState();
    /// Puts the newest undo state in place of store and keeps a copy of the replaced store (on the clipboard
    /// path) as the newest redo state; when that copy fails the undo still happens, without redo states.
    /// Returns the update hint (1 tracks changed, 4 length changed, 11 same layout), 0 when there is no
    /// state.
    uint32_t Undo(std::unique_ptr<CSampleStore>& store, const std::string& clipboardPath);
    /// Puts the newest redo state in place of store and keeps a copy of the replaced store as the newest
    /// undo state. Returns the update hint as Undo does, 0 when there is no redo state or the copy failed
    /// (then nothing changed).
    uint32_t Redo(std::unique_ptr<CSampleStore>& store, const std::string& clipboardPath);
    /// Undo or Redo as direction says.
    uint32_t Restore(Direction direction, std::unique_ptr<CSampleStore>& store,
                     const std::string& clipboardPath);
    /// Deletes the newest undo state; when it was saved for a change not yet committed, the redo and
    /// oldest states it displaced come back, so a failed or aborted change leaves the history as it was.
    void DropNewestUndoState();
    /// Deletes every undo and redo state.
    void ClearUndoHistory();
    /// Number of undo states held.
    uint32_t GetCount() const noexcept { return m_undo.count; }
    /// Number of redo states held.
    uint32_t GetRedoCount() const noexcept { return m_redo.count; }
    /// The undo state in a slot, 0 the oldest (for inspection).
    const CSampleStore* GetState(uint32_t index) const noexcept { return m_undo.At(index); }
    /// The redo state in a slot, 0 the oldest (for inspection).
    const CSampleStore* GetRedoState(uint32_t index) const noexcept { return m_redo.At(index); }

private:
    /// The states of one direction, oldest first.
    struct StateStack {
        std::array<std::unique_ptr<CSampleStore>, kMaxStates> states;
        uint32_t count = 0;

        /// Adds a newest state, first deleting the oldest ones until fewer than limit remain.
        void Push(std::unique_ptr<CSampleStore> state, uint32_t limit);
        /// Push, but the oldest states that leave go to removed (oldest first) instead of being deleted.
        void Push(std::unique_ptr<CSampleStore> state, uint32_t limit, StateStack& removed);
        /// Puts states back in front of the oldest one, as far as there is room.
        void PutBackOldest(StateStack& states);
        /// Takes the newest state out.
        std::unique_ptr<CSampleStore> PopNewest();
        /// Deletes every state.
        void Clear();
        /// The state in a slot, or null.
        const CSampleStore* At(uint32_t index) const noexcept;
    };

    /// The states a saved undo state displaced, kept until its change is committed or dropped.
    struct Displaced {
        StateStack redo;
        StateStack oldest; ///< the undo states beyond the count, oldest first
        bool pending = false;
    };

    /// A state made from store where the clipboard path says; null when the copy failed (reported).
    static std::unique_ptr<CSampleStore> CopyState(const CSampleStore& store,
                                                   const std::string& clipboardPath);

    StateStack m_undo;
    StateStack m_redo;
    Displaced m_displaced;
};

} // namespace ondrix
