#pragma once

#include "resources/string_ids.h"
#include "store/sample_store.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>

namespace ondrix {

/// The undo states of one document: whole copies of its store, oldest first, at most ten.
class CUndoHistory {
public:
    static constexpr uint32_t kMaxStates = 10;

    /// What SaveUndoState did.
    enum class SaveResult {
        Saved,  ///< a complete copy is the newest state
        Off,    ///< undo is off (count 0): nothing was copied
        Failed, ///< the copy failed or was aborted; the history is as it was before
    };

    CUndoHistory() = default;
    CUndoHistory(const CUndoHistory&) = delete;
    CUndoHistory& operator=(const CUndoHistory&) = delete;

    /// Saves a copy of store as the newest state, keeping at most undoCount states; the copy goes where the
    /// clipboard temporary path says. A failed copy is dropped and reported as Failed.
    SaveResult SaveUndoState(const CSampleStore& store, uint32_t undoCount, const std::string& clipboardPath);
    /// Puts the newest state in place of store; returns the update hint (1 tracks changed, 4 length changed,
    /// 11 same layout), or 0 when there is no state.
    uint32_t Undo(std::unique_ptr<CSampleStore>& store);
    /// Deletes the newest state.
    void DropNewestUndoState();
    /// Deletes every state.
    void ClearUndoHistory();
    /// Number of states held.
    uint32_t GetCount() const noexcept { return m_count; }
    /// The state in a slot, 0 the oldest (for inspection).
    const CSampleStore* GetState(uint32_t index) const noexcept;

private:
    std::array<std::unique_ptr<CSampleStore>, kMaxStates> m_slots;
    uint32_t m_count = 0;
};

} // namespace ondrix
