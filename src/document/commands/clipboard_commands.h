#pragma once

#include "document/commands/command_set.h"

namespace ondrix {

class CClipboard;

/// The document's commands that move sound through the clipboard or remove it: "&Copy", "Cu&t",
/// "&Paste", "&Mix" and "&Delete".
class CClipboardCommands : public CCommandSet {
public:
    /// The clipboard commands of a document.
    explicit CClipboardCommands(COndrixDoc& doc);

    /// Copies the block of the edited tracks to the clipboard in use; false when it failed.
    bool Copy();
    /// Copies the block, then deletes it; a failed copy changes nothing.
    bool Cut();
    /// Deletes the block of the edited tracks.
    bool Delete();
    /// Pastes the clipboard at the block start or the cursor, or mixes it in at a percentage.
    bool Paste(bool mix, uint32_t percent = 0);

private:
    /// The program's clipboard (null without a host that has one).
    CClipboard* Clipboard() const;
    /// Removes the block after a cut or delete: the cursor stands at its first frame.
    void CollapseBlock(int32_t first);
    /// The hint of a block deletion: a shorter sound when every track lost the block, else changed data.
    uint32_t DeleteHint() const;
};

} // namespace ondrix
