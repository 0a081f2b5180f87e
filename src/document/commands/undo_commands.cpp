#include "document/commands/undo_commands.h"

#include "document/core/enabling_rules.h"
#include "document/ondrix_doc.h"
#include "resources/command_ids.h"
#include "settings/core/settings.h"

namespace ondrix {

namespace {

/// Undo and Redo need an idle document, undo switched on and a state to put back.
bool CanRestore(const COndrixDoc& doc, uint32_t statesHeld) {
    return IsIdle(doc.GetState()) && g_settings.edit.undoCount != 0 && statesHeld != 0;
}

} // namespace

CUndoCommands::CUndoCommands(COndrixDoc& doc) : CCommandSet(doc) {
    MapCommand(
        cmd::kEditUndo, [this] { m_doc.Undo(); },
        [this](CCmdUI& ui) { ui.Enable(CanRestore(m_doc, m_doc.GetUndoHistory().GetCount())); });
    MapCommand(
        cmd::kEditRedo, [this] { m_doc.Redo(); },
        [this](CCmdUI& ui) { ui.Enable(CanRestore(m_doc, m_doc.GetUndoHistory().GetRedoCount())); });
}

} // namespace ondrix
