#pragma once

#include "process/clipboard.h"

#include <cstdint>
#include <optional>

namespace ondrix {

class COndrixDoc;
class CSampleStore;

/// How a paste writes the source into the sound.
struct PasteMode {
    bool mix = false;     ///< mix the source into the data at the given percentage instead of pasting
    uint32_t percent = 0; ///< the source's share of a mix, 0 to 100
};

/// The track assignment a paste of source into the document uses: the default one (source track k onto
/// the current track + k) when the shapes fit, otherwise what the user chooses in the "Track Assignment"
/// dialog. Empty when the user cancelled or discarded every source track.
std::optional<TrackAssignment> ChoosePasteAssignment(const COndrixDoc& doc, const CSampleStore& source);

/// Pastes all of source into the document at the block start (or the cursor): decides the track
/// assignment first (the dialog included), then saves the undo state and runs PasteBlock, inserting or
/// overwriting as "&Overwrite" says (a mix always overwrites). Afterwards the cursor stays and no block
/// remains. False when the user cancelled (nothing changed, the undo history untouched) or the paste
/// failed (reported; its undo state dropped).
bool PasteIntoDocument(COndrixDoc& doc, CSampleStore& source, const PasteMode& mode = {});

} // namespace ondrix
