#pragma once

#include "document/commands/command_set.h"

namespace ondrix {

/// The document's volume functions, effects and tempo functions. Today only the equalizer, which is
/// never enabled.
class CEffectCommands : public CCommandSet {
public:
    /// The effect commands of a document.
    explicit CEffectCommands(COndrixDoc& doc);
};

} // namespace ondrix
