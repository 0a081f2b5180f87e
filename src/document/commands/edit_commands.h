#pragma once

#include "document/commands/command_set.h"

namespace ondrix {

/// The document's commands on the selection and the edit options: "Select A&ll", "&Adapt", "&Full
/// Detail", "&Zoom Into Block", "&Go To...", "Select &Block...", "&All Tracks", "&Overwrite", and whether the
/// views may switch panes.
class CEditCommands : public CCommandSet {
public:
    /// The edit commands of a document.
    explicit CEditCommands(COndrixDoc& doc);

    /// "&Go To...": moves the cursor to a position asked for in dialog 146.
    bool GoTo();
    /// "Select &Block...": selects the block asked for in dialog 148, or removes it.
    bool SelectBlock();

private:
    /// Maps a zoom command: it sets the factor, its radio mark shows whether the factor is set.
    void MapZoom(uint32_t id, int32_t zoom);
};

} // namespace ondrix
