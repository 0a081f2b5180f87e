#pragma once

#include "document/commands/command_set.h"

namespace ondrix {

/// The document's recording commands: "&Start" (record) prepares a recording and "Synchronous
/// &Playback" switches the playback of the other tracks while recording. When the record command may
/// run is the transport's to say.
class CRecordCommands : public CCommandSet {
public:
    /// The recording commands of a document.
    explicit CRecordCommands(COndrixDoc& doc);
};

} // namespace ondrix
