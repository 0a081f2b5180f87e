#pragma once

#include "document/commands/command_set.h"

namespace ondrix {

/// The document's recording commands. None yet: the route holds the set so that they have their place.
class CRecordCommands : public CCommandSet {
public:
    /// The recording commands of a document.
    explicit CRecordCommands(COndrixDoc& doc);
};

} // namespace ondrix
