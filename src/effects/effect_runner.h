#pragma once

#include "base/update_hints.h"
#include "effects/effect_kind.h"
#include "effects/effect_params.h"
#include "resources/string_ids.h"
#include "store/temp_paths.h"

#include <cstdint>
#include <string>

namespace ondrix {

class CSampleStore;
class CUndoHistory;

/// Where the undo state of a run is kept.
struct UndoTarget {
    CUndoHistory* history = nullptr; ///< null: no undo state is saved
    uint32_t undoCount = 0;          ///< the "UndoCount" setting
    std::string clipboardPath;       ///< the "Clipboard" temporary path (where the copies live)
};

/// One function to run, with the parameters the document gathered.
struct EffectRequest {
    EffectKind kind = EffectKind::Volume;
    const EffectSettings* settings = nullptr; ///< the function's settings (a dialog's or a preset's values)
    const uint32_t* trackMask = nullptr;      ///< 32 entries, non-zero = edited; null = all tracks
    int64_t firstFrame = 0;                   ///< the block, inclusive
    int64_t lastFrame = 0;
    StorageChoice tempStorage{};  ///< where the echo's temporary store lives (the "Editor" path)
    int64_t echoDelayFrames = -1; ///< the echo delay as typed in frames; -1: from the setting's milliseconds
};

/// What the document does next.
struct EffectOutcome {
    bool modified = false; ///< mark the document modified and refresh the status fields
    uint32_t hint =
        0; ///< the update hint to send: HINT_DATA the length stayed, HINT_LENGTH it changed; 0 = none
    bool failed =
        false; ///< refused or failed (reported, or a user abort); false when there was nothing to do
};

/// The hint of a run that kept the length.
inline constexpr uint32_t kHintDataChanged = HINT_DATA;
/// The hint of a run that changed the length.
inline constexpr uint32_t kHintLengthChanged = HINT_LENGTH;

/// The store side of an effect command: refuses what cannot run (cross fade without exactly two tracks,
/// with message 1141; a tempo function that keeps the length; a failed maximise search), sets the
/// progress text, saves the undo state, runs the function's driver run (or the echo sequence) and drops
/// the undo state again when the run failed or was aborted. The pieces already written stay.
EffectOutcome RunEffect(CSampleStore& store, const EffectRequest& request, const UndoTarget& undo);

/// Whether the cross fade can run on the tracks a mask selects (exactly two). Otherwise, with report, beeps
/// and shows message 1141.
bool CrossFadeTracksFit(const uint32_t* trackMask, uint32_t tracks, bool report);

/// Number of tracks of a store a mask selects (all of them for a null mask).
uint32_t CountEditedTracks(const uint32_t* trackMask, uint32_t tracks) noexcept;

} // namespace ondrix
