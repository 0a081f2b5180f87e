#pragma once

#include "document/commands/command_set.h"

#include <array>
#include <cstdint>
#include <functional>

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

    /// Asks for the mix percentage ("Mix", 0 to 100, kept in its setting), then mixes the clipboard in.
    bool Mix();

private:
    /// The program's clipboard (null without a host that has one).
    CClipboard* Clipboard() const;
    /// The block and the track mask of a command.
    struct Selection {
        int32_t first = 0;
        int32_t last = 0;
        std::array<uint32_t, 32> mask{};
    };
    /// The block and the track mask now.
    Selection GetSelection() const;
    /// Deletes the block under one undo state after before() succeeded; afterwards the cursor stands at
    /// the block's first frame and no block remains.
    bool RemoveBlock(const Selection& selection, const std::function<bool()>& before);
    /// The hint of a block deletion: a shorter sound when every track lost the block, else changed data.
    uint32_t DeleteHint() const;
};

} // namespace ondrix
