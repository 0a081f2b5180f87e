#pragma once

#include "document/commands/command_set.h"

namespace ondrix {

enum class SaveKind;

/// The document's commands of the File menu: "&Save", "Save &As...", "Save &Raw Format...", "Save As
/// Standard &Wave...", "Sen&d..." and "&Close".
class CFileCommands : public CCommandSet {
public:
    /// The file commands of a document.
    explicit CFileCommands(COndrixDoc& doc);

    /// Saves to the document's path, or asks for one; false when cancelled or failed.
    bool Save();
    /// Asks for a path and saves there in the given way; false when cancelled or failed.
    bool SaveAs(SaveKind kind);
    /// Asks "Save changes to %1?" when modified: Yes saves, No discards; false for Cancel or a failed save.
    bool SaveModified();
};

} // namespace ondrix
