#pragma once

#include "document/commands/command_set.h"

namespace ondrix {

/// The document's "&Undo" and "&Redo": the newest undo or redo state takes the place of the sound.
class CUndoCommands : public CCommandSet {
public:
    /// The undo commands of a document.
    explicit CUndoCommands(COndrixDoc& doc);
};

} // namespace ondrix
