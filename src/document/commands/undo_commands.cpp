#include "document/commands/undo_commands.h"

#include "document/core/enabling_rules.h"
#include "document/ondrix_doc.h"
#include "resources/command_ids.h"
#include "settings/core/settings.h"

namespace ondrix {

CUndoCommands::CUndoCommands(COndrixDoc& doc) : CCommandSet(doc) {
    MapCommand(
        cmd::kEditUndo, [this] { m_doc.Undo(); },
        [this](CCmdUI& ui) {
            ui.Enable(IsIdle(m_doc.GetState()) && g_settings.edit.undoCount != 0 &&
                      m_doc.GetUndoHistory().GetCount() != 0);
        });
}

} // namespace ondrix
