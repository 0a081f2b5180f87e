#pragma once

#include "document/commands/command_set.h"

namespace ondrix {

/// The document's commands of the Tracks menu that change the sound: "&After Current Track", "&Before
/// Current Track" and "De&lete Track".
class CTrackCommands : public CCommandSet {
public:
    /// The track commands of a document.
    explicit CTrackCommands(COndrixDoc& doc);

    /// Inserts a silent track after (or before) the current track; false when it failed.
    bool InsertTrack(bool after);
    /// Deletes the current track after asking; false when not answered Yes or when it failed.
    bool DeleteTrack();
};

} // namespace ondrix
